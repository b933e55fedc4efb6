// A dialog's run through the toolkit's interface alone, on either toolkit:
// system menu and commands, posted messages, help, quit, control texts.
#include "platform/ui/CDialog.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/ModalStack.h"

#include "tests/platform/ui/SampleDialog.h"
#include "tests/platform/ui/ToolkitProbe.h"

#include <gtest/gtest.h>

namespace {

class CDialogRunTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_FALSE(ToolkitWindowsLeft()) << "a window outlived its test";
        EXPECT_EQ(nullptr, ModalStack::Top());
    }
};

TEST_F(CDialogRunTest, TimersTickUntilKilledAndNeedTheirWindow)
{
    struct CountingDialog : SampleDialog {
        void OnTimer(UINT_PTR id) override
        {
            SampleDialog::OnTimer(id);
            if (++ticks == 3) {
                killed = KillTimer(id);
                killedAgain = KillTimer(id);
                EndDialog(IDOK);
            }
        }
        int ticks = 0;
        BOOL killed = FALSE;
        BOOL killedAgain = TRUE;
    } dialog;
    dialog.afterInit = [&] {
        EXPECT_EQ(7u, dialog.SetTimer(7, 5));
        EXPECT_EQ(7u, dialog.SetTimer(7, 5)) << "setting again restarts, not doubles";
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(3, dialog.ticks);
    EXPECT_TRUE(dialog.killed);
    EXPECT_FALSE(dialog.killedAgain) << "a timer is killed once";
    EXPECT_EQ(0u, dialog.SetTimer(1, 10)) << "no window, no timer";
}

TEST_F(CDialogRunTest, SystemMenuItemsAndSystemCommands)
{
    struct AboutDialog : SampleDialog {
        std::vector<UINT> commands;
        void OnSysCommand(UINT id, LPARAM lParam) override
        {
            if ((id & 0xFFF0) == 16) {
                commands.push_back(id);
                return;
            }
            SampleDialog::OnSysCommand(id, lParam);
        }
    } dialog;
    dialog.afterInit = [&] {
        CMenu* menu = dialog.GetSystemMenu(FALSE);
        ASSERT_NE(nullptr, menu);
        const int standard = menu->GetMenuItemCount();
        EXPECT_TRUE(menu->AppendMenu(MF_SEPARATOR));
        EXPECT_TRUE(menu->AppendMenu(MF_STRING, 16, L"&About Kavro TS Recorder Tool."));
        EXPECT_FALSE(menu->AppendMenu(MF_STRING, 17, nullptr));
        EXPECT_EQ(standard + 2, menu->GetMenuItemCount());
        EXPECT_EQ(16u, menu->GetMenuItemID(standard + 1));
        dialog.OnSysCommand(16, 0);
        dialog.OnSysCommand(31, 0);
        dialog.OnSysCommand(32, 0); // not an About command: ignored by the default handling
        EXPECT_FALSE(dialog.IsEnding());
        dialog.OnSysCommand(SC_CLOSE, 0);
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal()) << "the close command cancels";
    EXPECT_EQ((std::vector<UINT>{16, 31}), dialog.commands);
}

TEST_F(CDialogRunTest, CloseBoxAndPostedMessagesGoThroughTheDialog)
{
    SampleDialog dialog;
    dialog.afterInit = [&] {
        EXPECT_TRUE(dialog.PostMessage(WM_COMMAND, IDC_SAMPLE_START));
        EXPECT_FALSE(dialog.PostMessage(0x1234));
        EXPECT_TRUE(dialog.PostMessage(WM_CLOSE));
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    // The click arms the sample's 10 ms timer; on a slow machine it may tick
    // before the close arrives, which says nothing about the posted order.
    std::erase_if(dialog.events, [](const std::string& e) { return e.rfind("timer", 0) == 0; });
    EXPECT_EQ((std::vector<std::string>{"init", "click 1036", "destroy"}), dialog.events) << "posted in order";
}

TEST_F(CDialogRunTest, HelpRequestGoesToTheWindowsAroundTheFocus)
{
    struct HelpDialog : SampleDialog {
        std::vector<int> asked;
        BOOL OnHelpInfo(HELPINFO* info) override
        {
            asked.push_back(info->iCtrlId);
            return TRUE;
        }
    } dialog;
    dialog.afterInit = [&] {
        RunLater([&] {
            CWnd* edit = dialog.GetDlgItem(IDC_SAMPLE_PATH);
            edit->SetFocus();
            PressKey(edit->GetSafeHwnd(), VK_F1);
            dialog.EndDialog(IDOK);
        });
    };
    dialog.DoModal();
    EXPECT_EQ(std::vector<int>{IDC_SAMPLE_PATH}, dialog.asked);
}

TEST_F(CDialogRunTest, QuitEndsEveryRunningDialogAndTheNextRunAtOnce)
{
    SampleDialog outer;
    SampleDialog inner;
    INT_PTR innerResult = 0;
    outer.afterInit = [&] { RunLater([&] { innerResult = inner.DoModal(); }); };
    inner.afterInit = [&] { RunLater([] { PostQuitMessage(0); }); };
    EXPECT_EQ(-1, outer.DoModal());
    EXPECT_EQ(-1, innerResult);
    EXPECT_FALSE(ModalStack::QuitPending()) << "consumed by the loops it ended";

    PostQuitMessage(0); // with no loop running, the next run takes it
    SampleDialog next;
    EXPECT_EQ(-1, next.DoModal());
    EXPECT_EQ(std::vector<std::string>{}, next.events) << "never initialised";
    EXPECT_FALSE(ModalStack::QuitPending());
}

TEST_F(CDialogRunTest, ProgressBarHoldsValuesOutsideItsRangeAtTheEnds)
{
    SampleDialog dialog;
    dialog.afterInit = [&] {
        CProgressCtrl& bar = dialog.m_progress;
        int lower = -1, upper = -1;
        bar.GetRange(lower, upper);
        EXPECT_EQ(0, lower);
        EXPECT_EQ(100, upper);
        EXPECT_EQ(0, bar.SetPos(37));
        EXPECT_EQ(37, bar.SetPos(200));
        EXPECT_EQ(100, bar.GetPos()) << "above the range shows full";
        bar.SetPos(-5);
        EXPECT_EQ(0, bar.GetPos());
        dialog.EndDialog(IDOK);
    };
    dialog.DoModal();
}

TEST_F(CDialogRunTest, ControlTextEnableAndShowByIdOrObject)
{
    SampleDialog dialog;
    dialog.afterInit = [&] {
        dialog.SetDlgItemText(IDC_SAMPLE_STATUS, L"Record Stopped!");
        std::wstring text;
        EXPECT_EQ(15, dialog.GetDlgItemText(IDC_SAMPLE_STATUS, text));
        EXPECT_EQ(L"Record Stopped!", text);
        EXPECT_EQ(L"c:\\L-capture.ts", dialog.GetDlgItem(IDC_SAMPLE_PATH)->GetWindowText()) << "loaded by OnInitDialog";
        dialog.SetDlgItemInt(IDC_SAMPLE_POSITION, static_cast<UINT>(-12));
        BOOL ok = FALSE;
        EXPECT_EQ(static_cast<UINT>(-12), dialog.GetDlgItemInt(IDC_SAMPLE_POSITION, &ok));
        EXPECT_TRUE(ok);
        dialog.GetDlgItemInt(IDC_SAMPLE_POSITION, &ok, FALSE);
        EXPECT_FALSE(ok) << "unsigned read of a negative number";
        CWnd* send = dialog.GetDlgItem(IDC_SAMPLE_SEND);
        ASSERT_NE(nullptr, send);
        EXPECT_FALSE(send->ShowWindow(SW_SHOW)) << "created hidden";
        EXPECT_TRUE(send->EnableWindow(FALSE) == FALSE) << "was enabled";
        EXPECT_FALSE(send->IsWindowEnabled());
        EXPECT_EQ(nullptr, dialog.GetDlgItem(4242));
        dialog.SetWindowText(L"Renamed");
        EXPECT_EQ(L"Renamed", dialog.GetWindowText());
        dialog.EndDialog(IDOK);
    };
    dialog.DoModal();
}

} // namespace
