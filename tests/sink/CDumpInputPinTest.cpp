// The sink's Receive: the write gate, the open file, one write per sample in
// arrival order, recordings started and ended while a streaming thread
// delivers, and a write that fails.
#include "sink/CDumpInputPin.h"

#include "SinkRig.h"
#include "tests/support/TestComObject.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <atomic>
#include <thread>

namespace {

using CDumpInputPinTest = SinkRig;

// A sample with whatever pointer, length and size a test gives it.
class FakeSample final : public TestComObject<IMediaSample> {
public:
    FakeSample() : TestComObject(1) {}
    STDMETHODIMP GetPointer(BYTE** ppBuffer) override
    {
        ++pointerCalls;
        *ppBuffer = data;
        return pointerResult;
    }
    STDMETHODIMP_(LONG) GetSize() override { return size; }
    STDMETHODIMP GetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return VFW_E_SAMPLE_TIME_NOT_SET; }
    STDMETHODIMP SetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return S_OK; }
    STDMETHODIMP IsSyncPoint() override { return S_FALSE; }
    STDMETHODIMP SetSyncPoint(BOOL) override { return S_OK; }
    STDMETHODIMP IsPreroll() override { return S_FALSE; }
    STDMETHODIMP SetPreroll(BOOL) override { return S_OK; }
    STDMETHODIMP_(LONG) GetActualDataLength() override { return actual; }
    STDMETHODIMP SetActualDataLength(LONG) override { return S_OK; }
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** pp) override
    {
        *pp = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE*) override { return S_OK; }
    STDMETHODIMP IsDiscontinuity() override { return S_FALSE; }
    STDMETHODIMP SetDiscontinuity(BOOL) override { return S_OK; }
    STDMETHODIMP GetMediaTime(LONGLONG*, LONGLONG*) override { return VFW_E_MEDIA_TIME_NOT_SET; }
    STDMETHODIMP SetMediaTime(LONGLONG*, LONGLONG*) override { return S_OK; }

    BYTE* data = nullptr;
    LONG size = 0;
    LONG actual = 0;
    HRESULT pointerResult = S_OK;
    int pointerCalls = 0;
};

TEST_F(CDumpInputPinTest, ClosedGateTouchesNeitherSampleNorFile)
{
    FakeSample sample;
    sample.pointerResult = E_FAIL;
    EXPECT_FALSE(pin->WriteEnabled());
    EXPECT_HR(S_OK, pin->Receive(&sample));
    EXPECT_EQ(0, sample.pointerCalls);
    EXPECT_HR(S_OK, pin->Receive(nullptr));
}

TEST_F(CDumpInputPinTest, SamplesGoBackToBackInArrivalOrder)
{
    ASSERT_HR(S_OK, BeginRecording("r.ts"));
    std::string bytes[3] = {SampleBytes(1), SampleBytes(2), SampleBytes(3)};
    FakeSample empty;
    BYTE unused = 0;
    empty.data = &unused;
    empty.size = 1;
    for (int i = 0; i < 3; ++i) {
        FakeSample sample;
        sample.data = reinterpret_cast<BYTE*>(bytes[i].data());
        sample.size = sample.actual = static_cast<LONG>(bytes[i].size());
        EXPECT_HR(S_OK, pin->Receive(&sample));
        EXPECT_HR(S_OK, pin->Receive(&empty)) << "a sample of length 0 writes nothing";
    }
    EXPECT_HR(S_OK, pin->EndOfStream());
    EXPECT_TRUE(session.outputFile.IsOpen()) << "end of stream leaves the file open";
    session.CloseOutputFile();
    EXPECT_EQ(bytes[0] + bytes[1] + bytes[2], FileText("r.ts"));
    EXPECT_EQ((std::vector<std::uint32_t>{1, 2, 3}), SamplesIn(FileText("r.ts")));
}

TEST_F(CDumpInputPinTest, BadSamplesNeverWriteBeyondTheirBuffer)
{
    ASSERT_HR(S_OK, BeginRecording("r.ts"));
    std::string buffer = "ABCDEFGH";
    struct Case {
        const char* name;
        BYTE* data;
        LONG size;
        LONG actual;
        HRESULT pointerResult;
        HRESULT expected;
        std::string written;
    };
    const Case cases[] = {
        {"length beyond the buffer is cut to it", reinterpret_cast<BYTE*>(buffer.data()), 4, 1000, S_OK, S_OK, "ABCD"},
        {"negative length writes nothing", reinterpret_cast<BYTE*>(buffer.data()), 8, -5, S_OK, S_OK, ""},
        {"null data writes nothing", nullptr, 8, 8, S_OK, S_OK, ""},
        {"GetPointer failure is returned", reinterpret_cast<BYTE*>(buffer.data()), 8, 8, E_UNEXPECTED, E_UNEXPECTED,
         ""},
    };
    std::string expected;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSample sample;
        sample.data = c.data;
        sample.size = c.size;
        sample.actual = c.actual;
        sample.pointerResult = c.pointerResult;
        EXPECT_HR(c.expected, pin->Receive(&sample));
        expected += c.written;
    }
    EXPECT_HR(E_POINTER, pin->Receive(nullptr));
    EXPECT_HR(S_OK, session.WriteFailure());
    session.CloseOutputFile();
    EXPECT_EQ(expected, FileText("r.ts"));
}

TEST_F(CDumpInputPinTest, OpenGateWithoutAnOpenFileDropsSamples)
{
    std::string bytes = SampleBytes(9);
    FakeSample sample;
    sample.data = reinterpret_cast<BYTE*>(bytes.data());
    sample.size = sample.actual = static_cast<LONG>(bytes.size());

    // The gate opened but the file could not be created.
    EXPECT_TRUE(FAILED(BeginRecording("no/such/folder.ts")));
    EXPECT_TRUE(pin->WriteEnabled());
    EXPECT_HR(S_OK, pin->Receive(&sample));

    // After a recording the gate stays open and the graph may run again.
    ASSERT_HR(S_OK, BeginRecording("r.ts"));
    EXPECT_HR(S_OK, pin->Receive(&sample));
    session.CloseOutputFile();
    EXPECT_HR(S_OK, pin->Receive(&sample));
    EXPECT_TRUE(pin->WriteEnabled());
    EXPECT_EQ(bytes, FileText("r.ts"));
    EXPECT_HR(S_OK, session.WriteFailure());
}

TEST_F(CDumpInputPinTest, RecordingsStartAndEndWhileAThreadDelivers)
{
    // The streaming thread delivers numbered samples from the allocator as
    // fast as it can; the test thread starts and ends recordings as the
    // capture page does, without stopping the graph in between (the gate
    // stays open, the file is closed). Each file must hold a run of whole
    // samples, in order, byte for byte: every sample whose delivery started
    // after the file was opened and ended before it was closed, and none
    // that went to another file or came while no file was open.
    ConnectSource();
    ASSERT_HR(S_OK, source->Run(0));
    ASSERT_HR(S_OK, sink->Run(0));
    std::atomic<std::uint32_t> started{0};
    std::atomic<std::uint32_t> finished{0};
    std::atomic<bool> stop{false};
    std::atomic<int> errors{0};
    std::thread streaming([&] {
        for (std::uint32_t seq = 0; !stop; ++seq) {
            IMediaSample* sample = nullptr;
            if (FAILED(sourcePin->GetDeliveryBuffer(&sample, nullptr, nullptr, 0))) {
                ++errors;
                return;
            }
            FillSample(sample, seq);
            started = seq + 1;
            if (sourcePin->Deliver(sample) != S_OK) {
                ++errors;
            }
            sample->Release();
            finished = seq + 1;
        }
    });
    auto waitFor = [&](std::uint32_t count) {
        const std::uint32_t target = finished + count;
        while (finished < target && errors == 0) {
            std::this_thread::yield();
        }
    };

    struct Window {
        std::uint32_t startedAtOpen;
        std::uint32_t finishedAtClose;
    };
    std::vector<Window> windows;
    constexpr int kRecordings = 6;
    for (int r = 0; r < kRecordings; ++r) {
        waitFor(25); // samples while no file is open are dropped
        Window w{};
        {
            CAutoLock lock(&session.recordLock);
            ASSERT_HR(S_OK, BeginRecording("rec" + std::to_string(r) + ".ts"));
            w.startedAtOpen = started;
        }
        waitFor(100 + 40 * static_cast<std::uint32_t>(r));
        w.finishedAtClose = finished;
        session.CloseOutputFile();
        windows.push_back(w);
    }
    stop = true;
    streaming.join();
    ASSERT_EQ(0, errors.load());

    std::uint32_t previousEnd = 0;
    for (int r = 0; r < kRecordings; ++r) {
        SCOPED_TRACE("recording " + std::to_string(r));
        const std::vector<std::uint32_t> seqs = SamplesIn(FileText("rec" + std::to_string(r) + ".ts"));
        ASSERT_FALSE(seqs.empty());
        for (std::size_t i = 1; i < seqs.size(); ++i) {
            ASSERT_EQ(seqs[i - 1] + 1, seqs[i]) << "samples lost or out of order";
        }
        EXPECT_LE(seqs.front(), windows[r].startedAtOpen) << "a sample delivered while open is missing";
        EXPECT_GE(seqs.back() + 1, windows[r].finishedAtClose) << "a sample delivered while open is missing";
        EXPECT_GT(seqs.front(), previousEnd) << "a sample in two files, or one written while no file was open";
        previousEnd = seqs.back() + 1;
    }
    ASSERT_HR(S_OK, sink->Stop());
    ASSERT_HR(S_OK, source->Stop());
}

// Linux only: the file-size limit that cuts the writes is set in a forked child (fork, setrlimit).
#ifndef _WIN32
TEST_F(CDumpInputPinTest, FailingWriteKeepsEveryWholePacketAndIsReportedToTheSession)
{
    // A child process with a file-size limit records until the limit stops
    // the writes; the parent checks that the child survived and what it kept.
    constexpr rlim_t kLimit = 10000;
    constexpr rlim_t kWhole = kLimit - kLimit % 188; // the packet the limit cut is taken off
    ASSERT_HR(S_OK, BeginRecording("limited.ts"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{kLimit, kLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        int code = 0;
        for (std::uint32_t seq = 0; seq < 40; ++seq) {
            std::string bytes = SampleBytes(seq);
            FakeSample sample;
            sample.data = reinterpret_cast<BYTE*>(bytes.data());
            sample.size = sample.actual = static_cast<LONG>(bytes.size());
            if (pin->Receive(&sample) != S_OK) {
                code |= 1; // the sample must not be rejected
            }
        }
        if (SUCCEEDED(session.WriteFailure())) {
            code |= 2;
        }
        if (session.outputFile.Length() != static_cast<LONGLONG>(kWhole)) {
            code |= 4;
        }
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status)) << "the recording process died";
    EXPECT_EQ(0, WEXITSTATUS(status))
        << "1: sample rejected, 2: failure not recorded, 4: not ended at the last whole packet";

    // The file holds the stream up to the last whole packet within the limit.
    std::string stream;
    for (std::uint32_t seq = 0; stream.size() < kLimit; ++seq) {
        stream += SampleBytes(seq);
    }
    EXPECT_EQ(stream.substr(0, kWhole), FileText("limited.ts"));
}
#endif

} // namespace
