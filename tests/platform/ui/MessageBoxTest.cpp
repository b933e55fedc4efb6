// Message boxes: captions, icons, buttons and answers, as recorded.
#include "platform/ui/CWinApp.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageRecorder.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"

#include "tests/platform/ui/SampleDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <gtest/gtest.h>

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { Transcript::BeginCapture(); }
    void TearDown() override
    {
        Transcript::TakeCapture();
        SetScriptModeActive(false);
    }
};

TEST_F(MessageBoxTest, ScriptModeRecordsEachBoxAndAnswersItsFirstButton)
{
    SetScriptModeActive(true);
    const std::string app = Transcript::Quote(AfxGetAppName());
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

TEST_F(MessageBoxTest, WindowBoxUsesTheApplicationTitleWithoutIcon)
{
    SetScriptModeActive(true);
    SampleDialog dialog;
    dialog.afterInit = [&] {
        EXPECT_EQ(IDOK, dialog.MessageBox(L"Successfully set the PLSCode."));
        dialog.EndDialog(IDOK);
    };
    dialog.DoModal();
    EXPECT_NE(std::string::npos,
              Transcript::TakeCapture().find("msgbox " + Transcript::Quote(AfxGetAppName()) +
                                             " none \"Successfully set the PLSCode.\""));
    Transcript::BeginCapture();
}

TEST_F(MessageBoxTest, ShownBoxReturnsTheButtonTheUserPressed)
{
    struct Case {
        UINT type;
        int press; // index of the button pressed
        int result;
        QMessageBox::Icon icon;
    } cases[] = {
        {MB_OK | MB_ICONEXCLAMATION, 0, IDOK, QMessageBox::Warning},
        {MB_YESNO | MB_ICONQUESTION, 1, IDNO, QMessageBox::Question},
        {MB_OKCANCEL | MB_ICONSTOP, 1, IDCANCEL, QMessageBox::Critical},
        {MB_YESNOCANCEL, 0, IDYES, QMessageBox::NoIcon},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        QMessageBox::Icon seen = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, box);
            seen = box->icon();
            // Buttons in the order Windows shows them.
            QList<QPushButton*> buttons;
            for (QAbstractButton* button : box->buttons()) buttons << qobject_cast<QPushButton*>(button);
            std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
            buttons[c.press]->click();
        });
        EXPECT_EQ(c.result, MessageBox(nullptr, L"text", L"caption", c.type));
        EXPECT_EQ(c.icon, seen);
    }
}

TEST_F(MessageBoxTest, ARecorderKeepsBoxesFromAnyThreadAndGivesItsAnswer)
{
    MessageRecorder recorder;
    EXPECT_EQ(IDOK, AfxMessageBox(L"Record is not started!"));
    recorder.Answer(IDNO);
    std::atomic<int> fromWorker = 0;
    std::thread worker(
        [&] { fromWorker = MessageBox(nullptr, L"777don't support this interface", L"error", MB_YESNO); });
    WaitDelivering([&] { return fromWorker != 0; }, 10000);
    worker.join();
    EXPECT_EQ(IDNO, fromWorker.load());
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ(AfxGetAppName(), recorder.Boxes()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), recorder.Boxes()[0].type);
    EXPECT_EQ(L"error", recorder.Boxes()[1].caption);
    EXPECT_EQ((std::vector<std::wstring>{L"Record is not started!", L"777don't support this interface"}),
              recorder.Texts());
    EXPECT_NE(std::string::npos, Transcript::TakeCapture().find("msgbox \"error\" none")) << "still in the transcript";
    Transcript::BeginCapture();
}

} // namespace
