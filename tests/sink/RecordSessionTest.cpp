// The recording record: opening, reopening and closing the output file, its
// length in KBytes, and what is written when.
#include "platform/files/WinPath.h"
#include "sink/RecordSession.h"

#include "platform/files/FileError.h"
#include "tests/sink/FakeMediaControl.h"
#include "SinkRig.h"

#include <filesystem>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

class RecordSessionTest : public ::testing::Test {
protected:
    std::wstring PathOf(const std::string& name) const { return WindowsPath(folder / name); }

    TempDir folder;
    RecordSession session;
};

TEST_F(RecordSessionTest, OpenEmptiesAnExistingFileAndCloseKeepsTheLength)
{
    TempDir::WriteFile(folder / "a.ts", std::string(5000, 'x'));
    session.SetRecordPath(PathOf("a.ts"));
    EXPECT_FALSE(session.fileOpen);
    ASSERT_HR(S_OK, session.OpenOutputFile());
    EXPECT_TRUE(session.fileOpen);
    EXPECT_EQ(0, session.RecordedKBytes());
    EXPECT_EQ(std::string(), TempDir::ReadFile(folder / "a.ts"));

    const std::string bytes(3000, 'y');
    EXPECT_HR(S_OK, session.WriteSample(reinterpret_cast<const BYTE*>(bytes.data()), 3000));
    EXPECT_EQ(2, session.RecordedKBytes()) << "3000 bytes are 2 KBytes, rounded down";
    session.CloseOutputFile();
    EXPECT_FALSE(session.fileOpen);
    EXPECT_EQ(2, session.RecordedKBytes());
    EXPECT_EQ(bytes, TempDir::ReadFile(folder / "a.ts"));
    EXPECT_HR(S_FALSE, session.WriteSample(reinterpret_cast<const BYTE*>(bytes.data()), 3000))
        << "nothing is written to a closed file";
    EXPECT_EQ(bytes, TempDir::ReadFile(folder / "a.ts"));
}

TEST_F(RecordSessionTest, ReopeningStartsANewFile)
{
    const std::string first(100, '1');
    const std::string second(50, '2');
    session.SetRecordPath(PathOf("first.ts"));
    ASSERT_HR(S_OK, session.OpenOutputFile());
    session.WriteSample(reinterpret_cast<const BYTE*>(first.data()), 100);
    session.SetRecordPath(PathOf("second.ts"));
    ASSERT_HR(S_OK, session.OpenOutputFile());
    session.WriteSample(reinterpret_cast<const BYTE*>(second.data()), 50);
    session.CloseOutputFile();
    EXPECT_EQ(first, TempDir::ReadFile(folder / "first.ts"));
    EXPECT_EQ(second, TempDir::ReadFile(folder / "second.ts"));
}

TEST_F(RecordSessionTest, FileThatFailsToOpenTakesNothing)
{
    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {
        {"missing folder", "missing/x.ts"},
        {"a folder", "."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session.SetRecordPath(PathOf(c.path));
        EXPECT_TRUE(FAILED(session.OpenOutputFile()));
        EXPECT_TRUE(session.fileOpen) << "set after every attempt, as the page expects";
        const BYTE byte = 0x47;
        EXPECT_HR(S_FALSE, session.WriteSample(&byte, 1));
        EXPECT_EQ(0, session.RecordedKBytes());
        session.CloseOutputFile();
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

// Linux only: the file-size limit that cuts the writes is set in a forked child (fork, setrlimit).
#ifndef _WIN32
TEST_F(RecordSessionTest, WriteCutByTheFileSizeLimitEndsAtTheLastWholePacket)
{
    // Limits at a packet boundary, inside the second packet of a sample, and
    // inside the first packet of the failing sample; samples of 2 and 3 packets.
    struct Case {
        const char* name;
        rlim_t limit;
        std::size_t kept;
    };
    const Case cases[] = {
        {"limit at a packet boundary", 188 * 4, 188 * 4},
        {"limit inside a packet", 188 * 3 + 100, 188 * 3},
        {"limit inside the first packet of a sample", 188 * 2 + 1, 188 * 2},
    };
    const std::string stream = SampleBytes(1) + SampleBytes(2) + SampleBytes(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session.SetRecordPath(PathOf("limited.ts"));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit limit{c.limit, c.limit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(10);
            if (FAILED(session.OpenOutputFile())) _exit(11);
            for (std::uint32_t seq = 1; seq <= 3; ++seq) {
                const std::string bytes = SampleBytes(seq);
                session.WriteSample(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
            }
            if (session.WriteFailure() != HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE)) _exit(12);
            if (session.outputFile.Length() != static_cast<LONGLONG>(c.kept)) _exit(13);
            session.CloseOutputFile();
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
        EXPECT_EQ(0, WEXITSTATUS(status));
        EXPECT_EQ(stream.substr(0, c.kept), TempDir::ReadFile(folder / "limited.ts"));
    }
}
#endif

class RecordingStartTest : public RecordSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_HR(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        runtime::RegisterMemAllocatorClass();
        ASSERT_HR(S_OK, CDestFilter::Create(session, &sink));
        control.Attach(new FakeMediaControl(&session));
    }
    void TearDown() override
    {
        EXPECT_EQ(0u, static_cast<IBaseFilter*>(sink)->Release());
        session.CloseOutputFile();
        UnregisterComClass(CLSID_MemoryAllocator);
        CoUninitialize();
    }

    FakeMediaControl& Control() { return *static_cast<FakeMediaControl*>(control.Get()); }

    CDestFilter* sink = nullptr;
    ComPtr<IMediaControl> control;
};

TEST_F(RecordingStartTest, StartOpensTheGateCreatesTheFileAndRunsTheGraph)
{
    TempDir::WriteFile(folder / "rec.ts", std::string(4096, 'o'));
    session.SetRecordPath(PathOf("rec.ts"));
    ASSERT_HR(S_OK, session.BeginRecording(control.Get(), sink));
    EXPECT_TRUE(sink->InputPin()->WriteEnabled());
    EXPECT_TRUE(session.fileOpen);
    EXPECT_EQ(1, Control().runs);
    EXPECT_EQ(std::string(), TempDir::ReadFile(folder / "rec.ts")) << "an existing file is emptied";

    const std::string bytes(188 * 7, 'G');
    session.WriteSample(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    session.EndRecording(control.Get());
    EXPECT_EQ(1, Control().stops);
    EXPECT_TRUE(Control().fileOpenAtStop) << "the graph stops before the file closes";
    EXPECT_FALSE(session.fileOpen);
    EXPECT_EQ(bytes, TempDir::ReadFile(folder / "rec.ts"));
}

TEST_F(RecordingStartTest, NothingStartsWithoutAGraphOrAFile)
{
    struct Case {
        const char* name;
        bool withControl;
        std::string file;
        HRESULT expected;
    };
    const Case cases[] = {
        {"no media control: nothing is created or run", false, "never.ts", S_FALSE},
        {"a folder that does not exist: the graph is not run", true, "missing/rec.ts", E_FAIL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session.SetRecordPath(PathOf(c.file));
        const HRESULT hr = session.BeginRecording(c.withControl ? control.Get() : nullptr, sink);
        if (c.expected == S_FALSE) {
            EXPECT_HR(S_FALSE, hr);
            EXPECT_FALSE(sink->InputPin()->WriteEnabled());
        } else {
            EXPECT_TRUE(FAILED(hr)) << HresultText(hr);
        }
        EXPECT_EQ(0, Control().runs);
        EXPECT_FALSE(std::filesystem::exists(folder / c.file));
        const std::string bytes(188, 'x');
        EXPECT_HR(S_FALSE, session.WriteSample(reinterpret_cast<const BYTE*>(bytes.data()), 188));
        session.EndRecording(c.withControl ? control.Get() : nullptr);
    }
}

} // namespace
