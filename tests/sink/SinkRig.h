#pragma once
// A fresh recording record and sink filter per test, with a folder for the
// recording files, and the stream a test source delivers: samples carry
// their sequence number and a varying number of whole packets, so a file
// can be checked sample by sample, byte for byte. Each test must leave no
// simulated object alive.
#include "platform/files/WinPath.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/com/WideText.h"
#include "platform/dshow/Uuids.h"
#include "sink/CDestFilter.h"
#include "sink/RecordSession.h"
#include "runtime/graph/MemAllocator.h"
#include "tests/support/ComAssert.h"
#include "tests/support/SimObjectCheck.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPins.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// Bytes of sample number seq: 1 to 7 packets, the number in the first four
// bytes (little-endian), then a pattern of the number and the position.
inline std::string SampleBytes(std::uint32_t seq)
{
    std::string bytes(188 * (1 + seq % 7), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(seq * 31 + i * 7);
    }
    for (int b = 0; b < 4; ++b) {
        bytes[static_cast<std::size_t>(b)] = static_cast<char>(seq >> (8 * b));
    }
    return bytes;
}

// Copies sample number seq into a sample of the allocator.
inline void FillSample(IMediaSample* sample, std::uint32_t seq)
{
    const std::string bytes = SampleBytes(seq);
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    std::memcpy(data, bytes.data(), bytes.size());
    sample->SetActualDataLength(static_cast<LONG>(bytes.size()));
}

// The sample numbers a recording file holds, if it is made of whole samples
// each exactly as delivered; otherwise a test failure and what was read.
inline std::vector<std::uint32_t> SamplesIn(const std::string& file)
{
    std::vector<std::uint32_t> seqs;
    std::size_t at = 0;
    while (at < file.size()) {
        if (file.size() - at < 4) {
            ADD_FAILURE() << "a partial sample at byte " << at;
            break;
        }
        std::uint32_t seq = 0;
        for (int b = 0; b < 4; ++b) {
            seq |= static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + static_cast<std::size_t>(b)]))
                << (8 * b);
        }
        const std::string expected = SampleBytes(seq);
        if (file.compare(at, expected.size(), expected) != 0) {
            ADD_FAILURE() << "sample " << seq << " at byte " << at << " is not as delivered";
            break;
        }
        seqs.push_back(seq);
        at += expected.size();
    }
    return seqs;
}

class SinkRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_live.Start();
        ASSERT_HR(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        runtime::RegisterMemAllocatorClass();
        ASSERT_HR(S_OK, CDestFilter::Create(session, &sink));
        pin = sink->InputPin();
    }
    void TearDown() override
    {
        if (source) {
            source->Stop();
            sink->Stop();
            sourcePin->Disconnect();
            pin->Disconnect();
            EXPECT_EQ(0u, static_cast<IBaseFilter*>(source)->Release());
            EXPECT_TRUE(sourceDestroyed);
        }
        EXPECT_EQ(0u, static_cast<IBaseFilter*>(sink)->Release()) << "references left on the sink";
        session.CloseOutputFile();
        UnregisterComClass(CLSID_MemoryAllocator);
        CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    // A test source whose output pin is connected to the sink's input pin.
    void ConnectSource(LONG buffers = 4)
    {
        source = new TestFilter(&sourceLock, &sourceDestroyed);
        static_cast<IBaseFilter*>(source)->AddRef();
        sourcePin = source->AddPin(std::make_unique<TestOutputPin>(source, L"Out"));
        MediaTypeValue type(MEDIATYPE_Stream);
        type.subtype = MEDIASUBTYPE_MPEG2_TRANSPORT;
        sourcePin->offered.push_back(std::move(type));
        sourcePin->buffers = buffers;
        ASSERT_HR(S_OK, sourcePin->Connect(pin, nullptr));
    }

    // What the capture page does at Start Record, on a file of the test folder.
    HRESULT BeginRecording(const std::string& name)
    {
        CAutoLock lock(&session.recordLock);
        session.SetRecordPath(WindowsPath(folder / name));
        const HRESULT hr = session.OpenOutputFile();
        pin->SetWriteEnabled(true);
        return hr;
    }

    std::string FileText(const std::string& name) const { return TempDir::ReadFile(folder / name); }

    TempDir folder;
    RecordSession session;
    CDestFilter* sink = nullptr;
    CDumpInputPin* pin = nullptr;

    CCritSec sourceLock;
    bool sourceDestroyed = false;
    TestFilter* source = nullptr;
    TestOutputPin* sourcePin = nullptr;

private:
    SimObjectCheck m_live;
};
