// The Capture Control page hosted in a sheet, driven handler by handler with
// its timer ticks called one at a time: defaults, the two limit modes tick by
// tick, mode switches, the refusals, invalid entries, a second recording, a
// file that cannot be created and a disk that fills up.
#include "platform/files/WinPath.h"
#include "record/CUtiVirtualDamonDlg.h"

#include "tests/sink/FakeMediaControl.h"
#include "process/SignalLocked.h"
#include "graph/TunerGraph.h"
#include "platform/com/WideText.h"
#include "platform/ui/MessageRecorder.h"
#include "tests/support/TempDir.h"
#include "tests/support/PageHost.h"

#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <functional>
#include <memory>
#include <string>

namespace {

// While it lives, files of this process cannot grow beyond bytes: a write
// past it fails as on a full disk (the signal it would raise is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

class CaptureControlPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        signalLocked = 1;
        graph.mediaControl.Attach(new FakeMediaControl(&session));
    }
    void TearDown() override
    {
        session.CloseOutputFile();
        signalLocked = 0;
    }

    FakeMediaControl& Control() { return *static_cast<FakeMediaControl*>(graph.mediaControl.Get()); }
    std::wstring PathOf(const std::string& name) const { return WindowsPath(folder / name); }
    std::wstring Text(int id) const
    {
        std::wstring text;
        page->GetDlgItemText(id, text);
        return text;
    }
    // The message box texts recorded since the count given.
    std::vector<std::wstring> BoxesSince(std::size_t count) const
    {
        const std::vector<std::wstring> all = boxes.Texts();
        return {all.begin() + static_cast<std::ptrdiff_t>(count), all.end()};
    }
    void Write(std::size_t bytes)
    {
        const std::string data(bytes, 'G');
        session.WriteSample(reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    }
    // Runs body with the page shown.
    void WithPage(const std::function<void()>& body)
    {
        PageHost host(*page, L"host", 320, 200);
        host.afterInit = [&] {
            body();
            host.EndDialog(IDOK);
        };
        host.DoModal();
    }
    void Type(int id, const std::wstring& text) { page->SetDlgItemText(id, text.c_str()); }

    TempDir folder;
    RecordSession session;
    TunerGraph graph;
    std::unique_ptr<CUtiVirtualDamonDlg> page = std::make_unique<CUtiVirtualDamonDlg>(graph, session);
    MessageRecorder boxes;
};

TEST_F(CaptureControlPageTest, DefaultsWhenFirstShown)
{
    WithPage([&] {
        EXPECT_EQ(L"c:\\L-capture.ts", Text(IDC_RECORD_PATH));
        EXPECT_EQ(L"10", Text(IDC_TIME_LIMIT));
        EXPECT_EQ(L"500", Text(IDC_SIZE_LIMIT));
        EXPECT_EQ(BST_CHECKED, page->IsDlgButtonChecked(IDC_USE_SIZE_LIMIT));
        EXPECT_EQ(BST_UNCHECKED, page->IsDlgButtonChecked(IDC_USE_TIME_LIMIT));
        EXPECT_TRUE(page->GetDlgItem(IDC_SIZE_LIMIT)->IsWindowEnabled());
        EXPECT_FALSE(page->GetDlgItem(IDC_TIME_LIMIT)->IsWindowEnabled());
        EXPECT_EQ(L"File Size:", Text(IDC_PROGRESS_LABEL));
        EXPECT_EQ(L"0 KBytes", Text(IDC_PROGRESS_TEXT));
        EXPECT_EQ(L"", Text(IDC_RECORD_STATUS));
        EXPECT_EQ(0, page->m_progress.GetPos());
        EXPECT_FALSE(std::filesystem::exists(folder / "L-capture.ts"));
    });
}

TEST_F(CaptureControlPageTest, TimeModeTextsTickByTickUpToTheStopAtTick101)
{
    WithPage([&] {
        Type(IDC_RECORD_PATH, PathOf("time.ts"));
        page->OnUseTimeLimit();
        EXPECT_EQ(L"Time Left:", Text(IDC_PROGRESS_LABEL));
        EXPECT_EQ(L"0 Seconds", Text(IDC_PROGRESS_TEXT));
        page->OnStartRecord();
        ASSERT_TRUE(page->Recording());
        EXPECT_EQ(1, Control().runs);
        struct Expect {
            UINT tick;
            const wchar_t* left;
            const wchar_t* status;
        };
        const Expect expected[] = {{1, L"10 Seconds", L"Recording... 1%"},  {9, L"10 Seconds", L"Recording... 9%"},
                                   {10, L"9 Seconds", L"Recording... 10%"}, {55, L"5 Seconds", L"Recording... 55%"},
                                   {99, L"1 Seconds", L"Recording... 99%"}, {100, L"0 Seconds", L"Recording... 100%"}};
        UINT tick = 0;
        for (const Expect& e : expected) {
            while (tick < e.tick) {
                page->OnTimer(0);
                ++tick;
            }
            SCOPED_TRACE(e.tick);
            EXPECT_EQ(e.left, Text(IDC_PROGRESS_TEXT));
            EXPECT_EQ(e.status, Text(IDC_RECORD_STATUS));
            EXPECT_EQ(static_cast<int>(e.tick), page->m_progress.GetPos());
            EXPECT_TRUE(page->Recording());
        }
        page->OnTimer(0);
        EXPECT_FALSE(page->Recording()) << "tick 101 stops";
        EXPECT_EQ(L"Record Stopped!", Text(IDC_RECORD_STATUS));
        EXPECT_EQ(L"0 Seconds", Text(IDC_PROGRESS_TEXT));
        EXPECT_EQ(0, page->m_progress.GetPos());
        EXPECT_EQ(1, Control().stops);
        EXPECT_FALSE(session.fileOpen);
    });
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(CaptureControlPageTest, SizeModeStopsAtTheFirstTickAbove100Percent)
{
    WithPage([&] {
        Type(IDC_RECORD_PATH, PathOf("size.ts"));
        Type(IDC_SIZE_LIMIT, L"50");
        page->OnStartRecord();
        ASSERT_TRUE(page->Recording());
        Write(50 * 1024 * 1024);
        page->OnTimer(0);
        EXPECT_EQ(L"51200 KBytes", Text(IDC_PROGRESS_TEXT));
        EXPECT_EQ(L"Recording... 100%", Text(IDC_RECORD_STATUS));
        EXPECT_EQ(100, page->m_progress.GetPos());
        Write(511 * 1024 + 1023); // 51711 KBytes and 1023 bytes: still 100 percent
        page->OnTimer(0);
        EXPECT_TRUE(page->Recording());
        EXPECT_EQ(L"51711 KBytes", Text(IDC_PROGRESS_TEXT));
        Write(1); // 51712 KBytes is 101 percent of 51200
        page->OnTimer(0);
        EXPECT_FALSE(page->Recording());
        EXPECT_EQ(L"51712 KBytes", Text(IDC_PROGRESS_TEXT)) << "the size text keeps its last value";
        EXPECT_EQ(L"Record Stopped!", Text(IDC_RECORD_STATUS));
    });
    EXPECT_EQ(51712u * 1024, std::filesystem::file_size(folder / "size.ts"));
}

TEST_F(CaptureControlPageTest, SwitchingModesDuringARecordingChangesTheNextTick)
{
    WithPage([&] {
        Type(IDC_RECORD_PATH, PathOf("switch.ts"));
        Type(IDC_TIME_LIMIT, L"1");
        page->OnStartRecord();
        Write(2048);
        page->OnTimer(0);
        EXPECT_EQ(L"2 KBytes", Text(IDC_PROGRESS_TEXT));
        EXPECT_EQ(0u, page->TickCount()) << "size mode counts no ticks";
        page->OnUseTimeLimit();
        for (int i = 0; i < 10; ++i) page->OnTimer(0);
        EXPECT_EQ(10u, page->TickCount()) << "time counts from the switch";
        EXPECT_EQ(L"Recording... 100%", Text(IDC_RECORD_STATUS));
        page->OnUseFileSizeLimit();
        page->OnTimer(0);
        EXPECT_TRUE(page->Recording()) << "in size mode the file length alone decides";
        EXPECT_EQ(L"2 KBytes", Text(IDC_PROGRESS_TEXT));
        page->OnUseTimeLimit();
        page->OnTimer(0);
        EXPECT_FALSE(page->Recording()) << "tick 11 of a 1 s limit";
    });
}

TEST_F(CaptureControlPageTest, RefusalsChangeNothing)
{
    WithPage([&] {
        Type(IDC_RECORD_PATH, PathOf("refused.ts"));
        page->OnCancelRecord();
        signalLocked = 0;
        page->OnStartRecord();
        EXPECT_FALSE(page->Recording());
        signalLocked = 1;
        page->OnStartRecord();
        page->OnStartRecord();
        EXPECT_TRUE(page->Recording());
        EXPECT_EQ(1, Control().runs);
    });
    const std::vector<std::wstring> expected = {L"Record is not started!",
                                                L"Signal is not locked! Please check signal first.",
                                                L"Record is started! Please wait or cancel record."};
    EXPECT_EQ(expected, boxes.Texts());
    for (const RecordedMessageBox& box : boxes.Boxes()) EXPECT_EQ(UINT(MB_OK | MB_ICONEXCLAMATION), box.type);
}

TEST_F(CaptureControlPageTest, InvalidEntriesNeverStartARecording)
{
    struct Case {
        const char* name;
        int id;
        std::wstring text;
        std::wstring message;
    };
    const Case cases[] = {
        {"time limit 0", IDC_TIME_LIMIT, L"0", L"Please enter an integer between 1 and 65535."},
        {"size limit below 50", IDC_SIZE_LIMIT, L"49", L"Please enter an integer between 50 and 800000."},
        {"size limit not a number", IDC_SIZE_LIMIT, L"abc", L"Please enter a positive integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        page = std::make_unique<CUtiVirtualDamonDlg>(graph, session);
        const std::size_t before = boxes.Texts().size();
        WithPage([&] {
            Type(IDC_RECORD_PATH, PathOf("invalid.ts"));
            Type(c.id, c.text);
            page->OnStartRecord();
            EXPECT_FALSE(page->Recording());
        });
        EXPECT_EQ(std::vector<std::wstring>{c.message}, BoxesSince(before));
        EXPECT_EQ(0, Control().runs);
        EXPECT_FALSE(std::filesystem::exists(folder / "invalid.ts"));
    }
}

TEST_F(CaptureControlPageTest, InvalidLimitDuringARecordingKeepsTheLastValidOneAndIsReportedOnce)
{
    WithPage([&] {
        Type(IDC_RECORD_PATH, PathOf("keep.ts"));
        page->OnUseTimeLimit();
        Type(IDC_TIME_LIMIT, L"2");
        page->OnStartRecord();
        Type(IDC_TIME_LIMIT, L"0");
        for (int i = 0; i < 20; ++i) page->OnTimer(0);
        EXPECT_TRUE(page->Recording()) << "a limit of 0 would have stopped at once";
        EXPECT_EQ(L"Recording... 100%", Text(IDC_RECORD_STATUS));
        page->OnTimer(0);
        EXPECT_FALSE(page->Recording()) << "the 2 s limit stops at tick 21";
    });
    EXPECT_EQ(std::vector<std::wstring>{L"Please enter an integer between 1 and 65535."}, boxes.Texts());
}

TEST_F(CaptureControlPageTest, LimitsKeepCountingWhileAnInvalidEntryIsReported)
{
    struct Case {
        const char* name;
        bool sizeMode;
        int limitId;
        const wchar_t* limit;
        std::size_t bytesWhileOpen; // written by the graph while the box is open
        const wchar_t* report;
    } cases[] = {
        {"time limit", false, IDC_TIME_LIMIT, L"1", 0, L"Please enter an integer between 1 and 65535."},
        {"size limit", true, IDC_SIZE_LIMIT, L"50", 51u << 20, L"Please enter an integer between 50 and 800000."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        page = std::make_unique<CUtiVirtualDamonDlg>(graph, session);
        const std::size_t before = boxes.Texts().size();
        bool stoppedWhileOpen = false;
        // The user leaves the box open; the real tick timer runs meanwhile.
        boxes.WhileOpen([&] {
            if (c.bytesWhileOpen) Write(c.bytesWhileOpen);
            stoppedWhileOpen = QTest::qWaitFor([&] { return !page->Recording(); }, 10000);
        });
        WithPage([&] {
            Type(IDC_RECORD_PATH, PathOf("open-box.ts"));
            if (c.sizeMode) {
                page->OnUseFileSizeLimit();
            } else {
                page->OnUseTimeLimit();
            }
            Type(c.limitId, c.limit);
            page->OnStartRecord();
            ASSERT_TRUE(page->Recording());
            Type(c.limitId, L"0");
            EXPECT_TRUE(QTest::qWaitFor([&] { return boxes.Texts().size() > before; }, 10000))
                << "a tick reads the entry and reports it";
        });
        boxes.WhileOpen(nullptr);
        EXPECT_TRUE(stoppedWhileOpen) << "the last valid limit stops the recording while the box is open";
        EXPECT_FALSE(page->Recording());
        EXPECT_EQ(std::vector<std::wstring>{c.report}, BoxesSince(before))
            << "reported once, not again by the ticks behind the box";
        session.CloseOutputFile();
    }
}

TEST_F(CaptureControlPageTest, SecondRecordingTruncatesTheFile)
{
    WithPage([&] {
        Type(IDC_RECORD_PATH, PathOf("again.ts"));
        page->OnStartRecord();
        Write(5000);
        page->OnCancelRecord();
        EXPECT_EQ(L"Record Stopped!", Text(IDC_RECORD_STATUS));
        EXPECT_EQ(5000u, std::filesystem::file_size(folder / "again.ts"));
        page->OnStartRecord();
        EXPECT_EQ(0u, std::filesystem::file_size(folder / "again.ts"));
        Write(188);
        page->OnCancelRecord();
    });
    EXPECT_EQ(188u, std::filesystem::file_size(folder / "again.ts"));
    EXPECT_EQ(2, Control().runs);
    EXPECT_EQ(2, Control().stops);
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(CaptureControlPageTest, NothingPretendsToRecord)
{
    struct Case {
        const char* name;
        bool withGraph;
        std::string file;
        std::wstring messageStart;
    };
    const Case cases[] = {
        {"no media control", false, "nograph.ts", L"There is no media graph to record from."},
        {"the file cannot be created", true, "missing/x.ts", L"Cannot create the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        page = std::make_unique<CUtiVirtualDamonDlg>(graph, session);
        const std::size_t before = boxes.Texts().size();
        ComPtr<IMediaControl> kept;
        if (!c.withGraph) kept.Attach(graph.mediaControl.Detach());
        WithPage([&] {
            Type(IDC_RECORD_PATH, PathOf(c.file));
            page->OnStartRecord();
            EXPECT_FALSE(page->Recording());
            page->OnTimer(0);
            EXPECT_EQ(L"0 KBytes", Text(IDC_PROGRESS_TEXT));
        });
        const std::vector<std::wstring> shown = BoxesSince(before);
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ(0u, shown[0].rfind(c.messageStart, 0)) << ToUtf8(shown[0]);
        if (!c.withGraph) graph.mediaControl.Attach(kept.Detach());
        EXPECT_EQ(0, Control().runs);
    }
}

TEST_F(CaptureControlPageTest, WriteFailureEndsTheRecordingAndKeepsWhatWasWritten)
{
    WithPage([&] {
        Type(IDC_RECORD_PATH, PathOf("full.ts"));
        page->OnStartRecord();
        ASSERT_TRUE(page->Recording());
        {
            FileSizeLimit full(188 * 10);
            Write(188 * 10);
            Write(188);
        }
        page->OnTimer(0);
        EXPECT_FALSE(page->Recording());
        EXPECT_EQ(L"Record Stopped!", Text(IDC_RECORD_STATUS));
    });
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_NE(std::wstring::npos, boxes.Texts()[0].find(L"what was written before is kept"))
        << ToUtf8(boxes.Texts()[0]);
    EXPECT_NE(
        std::wstring::npos,
        boxes.Texts()[0].find(L"failed: The file size exceeds the limit allowed and cannot be saved. (0x800700DF)"))
        << "the cause in words, not only its code: " << ToUtf8(boxes.Texts()[0]);
    EXPECT_EQ(1, Control().stops);
    EXPECT_EQ(188u * 10, std::filesystem::file_size(folder / "full.ts"));
}

} // namespace
