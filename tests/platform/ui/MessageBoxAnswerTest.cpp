// Message boxes answered without a window, as the tests and UI scripts answer
// them: the transcript line, the first button in script mode, the recorder's
// answer. The same on the Qt toolkit and on the system's boxes (Windows).
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageRecorder.h"
#include "platform/ui/ProgramFile.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"
#ifndef _WIN32
#include "platform/ui/UiThread.h"
#endif

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include <gtest/gtest.h>

namespace {

class MessageBoxAnswerTest : public ::testing::Test {
protected:
    void SetUp() override { Transcript::BeginCapture(); }
    void TearDown() override
    {
        Transcript::TakeCapture();
        SetScriptModeActive(false);
    }
};

// The application title without an application object: the program's base name.
std::string AppTitle() { return Transcript::Quote(ProgramBaseName()); }

TEST_F(MessageBoxAnswerTest, ScriptModeRecordsEachBoxAndAnswersItsFirstButton)
{
    SetScriptModeActive(true);
    const std::string app = AppTitle();
    struct Case {
        const char* name;
        std::function<int()> raise;
        int answer;
        std::string line;
    } cases[] = {
        {"application box: exclamation by default",
         [] { return AfxMessageBox(L"Signal is not locked! Please check signal first."); }, IDOK,
         "msgbox " + app + " exclamation \"Signal is not locked! Please check signal first.\""},
        {"application Yes/No box: question by default", [] { return AfxMessageBox(L"Replace?", MB_YESNO); }, IDYES,
         "msgbox " + app + " question \"Replace?\""},
        {"application Yes/No/Cancel box: question by default", [] { return AfxMessageBox(L"Save?", MB_YESNOCANCEL); },
         IDYES, "msgbox " + app + " question \"Save?\""},
        {"application box keeps an icon it is given", [] { return AfxMessageBox(L"x", MB_OK | MB_ICONINFORMATION); },
         IDOK, "msgbox " + app + " information \"x\""},
        {"retry/cancel gets no icon", [] { return AfxMessageBox(L"again", MB_RETRYCANCEL); }, IDRETRY,
         "msgbox " + app + " none \"again\""},
        {"caption error, no icon",
         [] { return MessageBox(nullptr, L"666don't support this interface", L"error", MB_OK); }, IDOK,
         "msgbox \"error\" none \"666don't support this interface\""},
        {"no caption shows Error", [] { return MessageBox(nullptr, L"a\r\n", nullptr, MB_OK | MB_ICONSTOP); }, IDOK,
         "msgbox \"Error\" stop \"a\\r\\n\""},
        {"OK/Cancel answers OK", [] { return MessageBox(nullptr, L"go?", L"Q", MB_OKCANCEL); }, IDOK,
         "msgbox \"Q\" none \"go?\""},
        {"abort/retry/ignore answers Abort",
         [] { return MessageBox(nullptr, L"disk", L"Q", MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION); }, IDABORT,
         "msgbox \"Q\" exclamation \"disk\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Transcript::TakeCapture();
        Transcript::BeginCapture();
        EXPECT_EQ(c.answer, c.raise());
        EXPECT_EQ(c.line + "\n", Transcript::TakeCapture());
        Transcript::BeginCapture();
    }
}

TEST_F(MessageBoxAnswerTest, ARecorderKeepsBoxesFromAnyThreadAndGivesItsAnswer)
{
    MessageRecorder recorder;
    EXPECT_EQ(IDOK, AfxMessageBox(L"Record is not started!"));
    recorder.Answer(IDNO);
    std::atomic<int> fromWorker = 0;
    std::thread worker(
        [&] { fromWorker = MessageBox(nullptr, L"777don't support this interface", L"error", MB_YESNO); });
#ifndef _WIN32
    // The Qt toolkit carries the worker's box to this, the UI thread.
    WaitDelivering([&] { return fromWorker != 0; }, 10000);
#endif
    worker.join();
    EXPECT_EQ(IDNO, fromWorker.load());
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ(ProgramBaseName(), recorder.Boxes()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), recorder.Boxes()[0].type);
    EXPECT_EQ(L"error", recorder.Boxes()[1].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), recorder.Boxes()[1].type);
    EXPECT_EQ((std::vector<std::wstring>{L"Record is not started!", L"777don't support this interface"}),
              recorder.Texts());
    EXPECT_NE(std::string::npos, Transcript::TakeCapture().find("msgbox \"error\" none")) << "still in the transcript";
    Transcript::BeginCapture();
}

TEST_F(MessageBoxAnswerTest, TheRecorderComesBeforeScriptModeAndStopsWithItsEnd)
{
    SetScriptModeActive(true);
    {
        MessageRecorder recorder;
        recorder.Answer(IDCANCEL);
        int seenWhileOpen = 0;
        recorder.WhileOpen([&] { ++seenWhileOpen; });
        EXPECT_EQ(IDCANCEL, MessageBox(nullptr, L"go?", L"Q", MB_OKCANCEL));
        EXPECT_EQ(1, seenWhileOpen);
        EXPECT_EQ(1u, recorder.Boxes().size());
    }
    EXPECT_EQ(nullptr, MessageRecorder::Active());
    EXPECT_EQ(IDOK, MessageBox(nullptr, L"go?", L"Q", MB_OKCANCEL)) << "script mode answers again";
}

} // namespace
