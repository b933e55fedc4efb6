#include "sink/RecordSession.h"

#include "sink/CDestFilter.h"

RecordSession& RecordSession::Process()
{
    static RecordSession session;
    return session;
}

HRESULT RecordSession::OpenOutputFile()
{
    CAutoLock lock(&recordLock);
    if (fileOpen) {
        fileOpen = false;
        outputFile.Close();
    }
    m_writeFailure = S_OK;
    const HRESULT hr = outputFile.Create(outputPath.c_str());
    fileOpen = true;
    return hr;
}

void RecordSession::CloseOutputFile()
{
    CAutoLock lock(&recordLock);
    if (fileOpen) {
        outputFile.Close();
        fileOpen = false;
    }
}

HRESULT RecordSession::WriteSample(const BYTE* data, DWORD length)
{
    // A file that failed to open, or was closed while the graph still runs
    // (the gate stays open after a recording), takes nothing.
    if (!outputFile.IsOpen() || FAILED(m_writeFailure.load())) {
        return S_FALSE;
    }
    if (length == 0) {
        return S_OK;
    }
    DWORD written = 0;
    const HRESULT hr = outputFile.Write(data, length, &written);
    if (FAILED(hr)) {
        m_writeFailure = hr;
        // A write cut short leaves part of a packet at the end: the file ends at
        // the last whole packet instead, as a reader of the stream expects.
        const LONGLONG length = outputFile.Length();
        outputFile.Truncate(length - length % kPacketBytes);
        return hr;
    }
    return S_OK;
}

HRESULT RecordSession::BeginRecording(IMediaControl* mediaControl, CDestFilter* sink)
{
    if (!mediaControl) return S_FALSE;
    CAutoLock lock(&recordLock);
    if (sink) sink->InputPin()->SetWriteEnabled(true);
    const HRESULT hr = OpenOutputFile();
    if (FAILED(hr)) return hr;
    // Run's result is not examined: a graph that is already running stays so.
    mediaControl->Run();
    return S_OK;
}

void RecordSession::EndRecording(IMediaControl* mediaControl)
{
    if (!mediaControl) return;
    mediaControl->Stop();
    CloseOutputFile();
}
