// Message boxes on the Qt toolkit: the window box's title, the boxes shown and the
// buttons pressed (MessageBoxAnswerTest: the answers without a window).
#include "platform/ui/CWinApp.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"

#include "tests/platform/ui/SampleDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
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

} // namespace
