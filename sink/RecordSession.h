#pragma once
// RecordSession: the one recording record of the process, shared by the
// Capture Control page (which opens and closes the output file and runs and
// stops the graph) and the sink filter (whose Receive writes into the file).
//
// Locking: recordLock is created with the record and kept for the whole
// run. It is the sink filter's lock; the sink's Receive and EndOfStream and
// BeginRecording hold it (across closing the old file, opening the write
// gate, creating the new file and running the graph). EndRecording takes it
// only to close the file, after the graph's Stop has returned, when no write
// is in progress any more.
//
// Threads: outputPath and fileOpen belong to the user-interface thread;
// WriteSample runs on the streaming thread under recordLock;
// RecordedKBytes and WriteFailure may be asked from any thread.
#include "filterbase/CCritSec.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "platform/files/SequentialFile.h"

#include <atomic>
#include <string>

class CDestFilter;

class RecordSession {
public:
    RecordSession() = default;
    RecordSession(const RecordSession&) = delete;
    RecordSession& operator=(const RecordSession&) = delete;

    // The process's record, created on first use and kept until the process
    // ends (which closes a file still open).
    static RecordSession& Process();

    // The path the next recording opens.
    void SetRecordPath(const std::wstring& path) { outputPath = path; }

    // A recording's start, user-interface thread. Without a media control
    // nothing happens and S_FALSE returns (there is no graph to record
    // from). Otherwise, under recordLock: the old file closed, the sink's
    // write gate opened (when there is a sink), outputPath created empty and
    // the graph run. When the file cannot be created the graph is not run and
    // the creation's failure returns: nothing is recording.
    HRESULT BeginRecording(IMediaControl* mediaControl, CDestFilter* sink);
    // A recording's end, user-interface thread: stops the graph (which
    // returns once no write is in progress), then closes the file. Without a
    // media control nothing happens.
    void EndRecording(IMediaControl* mediaControl);

    // Under recordLock: closes the file if it is open, then creates
    // outputPath anew (an existing file is emptied) and forgets an earlier
    // write failure. fileOpen becomes true after the attempt, as the page
    // expects; the result tells whether the file really is open (the sink
    // writes nothing into a file that failed to open).
    HRESULT OpenOutputFile();
    // Closes the file if it is open; fileOpen becomes false. Takes
    // recordLock, so a write still in progress ends first.
    void CloseOutputFile();
    // The file's length in KBytes (bytes / 1024, rounded down); the length of
    // the last file after it was closed, 0 before any. Any thread, no lock.
    LONGLONG RecordedKBytes() const { return outputFile.Length() >> 10; }

    // A transport stream packet; samples hold whole packets.
    static constexpr LONGLONG kPacketBytes = 188;

    // Streaming thread, under recordLock: appends length bytes at data to the
    // file. S_FALSE (nothing written) while no file is open or after a write
    // failed; the first failing write is kept for WriteFailure and stops the
    // writing until the next OpenOutputFile. Every whole packet written before
    // the failure stays; a packet the failure cut is taken off again, so the
    // file ends at the last whole packet.
    HRESULT WriteSample(const BYTE* data, DWORD length);
    // Why writing stopped during this recording (disk full, file too large,
    // device gone), or S_OK. Any thread.
    HRESULT WriteFailure() const { return m_writeFailure.load(); }

    std::wstring outputPath;
    SequentialFile outputFile;
    bool fileOpen = false;
    CCritSec recordLock;

private:
    std::atomic<HRESULT> m_writeFailure{S_OK};
};
