// Data exchange and range validation with the toolkit's own messages.
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/com/WideText.h"

#include "tests/platform/ui/SampleDialog.h"
#include "tests/platform/ui/ToolkitProbe.h"

#include <gtest/gtest.h>

namespace {

// Message boxes are answered as a script would, and recorded.
class CDataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetScriptModeActive(true);
        Transcript::BeginCapture();
    }
    void TearDown() override
    {
        Transcript::TakeCapture();
        SetScriptModeActive(false);
    }
};

std::string Box(const char* text)
{
    return "msgbox " + Transcript::Quote(AfxGetAppName()) + " exclamation " +
        Transcript::Quote(std::string_view(text)) + "\n";
}

TEST_F(CDataExchangeTest, SavingStopsAtTheFirstFailureWithItsMessage)
{
    struct Case {
        const char* name;
        const wchar_t* seconds;
        const wchar_t* size;
        bool ok;
        int expectSeconds;
        UINT expectSize;
        int focusId; // where the focus goes after a failure
        std::string message;
    } cases[] = {
        {"both valid", L"25", L"600", true, 25, 600, 0, ""},
        {"blanks around a number", L" 42 ", L"800000", true, 42, 800000, 0, ""},
        {"not an integer: old value kept, rest skipped", L"abc", L"600", false, 10, 500, IDC_SAMPLE_TIME,
         Box("Please enter an integer.")},
        {"empty is not an integer", L"", L"600", false, 10, 500, IDC_SAMPLE_TIME, Box("Please enter an integer.")},
        {"too large for an int", L"99999999999", L"600", false, 10, 500, IDC_SAMPLE_TIME,
         Box("Please enter an integer.")},
        {"below the range: stored, then refused", L"0", L"600", false, 0, 500, IDC_SAMPLE_TIME,
         Box("Please enter an integer between 1 and 65535.")},
        {"above the range", L"65536", L"600", false, 65536, 500, IDC_SAMPLE_TIME,
         Box("Please enter an integer between 1 and 65535.")},
        {"negative for an unsigned field", L"25", L"-5", false, 25, 500, IDC_SAMPLE_SIZE,
         Box("Please enter a positive integer.")},
        {"unsigned below its range", L"25", L"10", false, 25, 10, IDC_SAMPLE_SIZE,
         Box("Please enter an integer between 50 and 800000.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Transcript::TakeCapture();
        Transcript::BeginCapture();
        SampleDialog dialog;
        BOOL saved = -1;
        dialog.afterInit = [&] {
            dialog.GetDlgItem(IDC_SAMPLE_TIME)->EnableWindow(TRUE); // a disabled field cannot take the focus
            dialog.SetDlgItemText(IDC_SAMPLE_TIME, c.seconds);
            dialog.SetDlgItemText(IDC_SAMPLE_SIZE, c.size);
            dialog.SetDlgItemText(IDC_SAMPLE_PATH, L"/tmp/out.ts");
            saved = dialog.UpdateData(TRUE);
            if (c.focusId) {
                EXPECT_EQ(c.focusId, FocusedControlId(dialog.GetSafeHwnd()));
            }
            dialog.EndDialog(IDCANCEL);
        };
        dialog.DoModal();
        EXPECT_EQ(c.ok ? TRUE : FALSE, saved);
        EXPECT_EQ(c.expectSeconds, dialog.m_seconds);
        EXPECT_EQ(c.expectSize, dialog.m_sizeMB);
        EXPECT_EQ(L"/tmp/out.ts", dialog.m_path) << "exchanged before the failing field";
        const std::string transcript = Transcript::TakeCapture();
        EXPECT_EQ("open 200 \"Sample Settings\"\n" + c.message + "end 200 CANCEL\n", transcript);
        Transcript::BeginCapture();
    }
}

TEST_F(CDataExchangeTest, LoadingWritesMembersToControlsWithoutChecks)
{
    SampleDialog dialog;
    dialog.m_seconds = 0; // out of range, but loading never complains
    dialog.m_sizeMB = 4000000000u;
    dialog.afterInit = [&] {
        EXPECT_EQ(L"0", dialog.GetDlgItem(IDC_SAMPLE_TIME)->GetWindowText());
        EXPECT_EQ(L"4000000000", dialog.GetDlgItem(IDC_SAMPLE_SIZE)->GetWindowText());
        dialog.EndDialog(IDOK);
    };
    dialog.DoModal();
    const std::string transcript = Transcript::TakeCapture();
    EXPECT_EQ(std::string::npos, transcript.find("msgbox")) << transcript;
    Transcript::BeginCapture();
}

TEST_F(CDataExchangeTest, MaxCharsAndRadioAndIndexExchanges)
{
    struct ExchangeDialog : SampleDialog {
        std::wstring name = L"abcdef";
        int radio = 1;
        int port = 2;
        int names = 1;
        int all = BST_CHECKED;
        void DoDataExchange(CDataExchange* dx) override
        {
            DDX_Radio(dx, IDC_SAMPLE_USE_SIZE, radio);
            DDX_CBIndex(dx, IDC_SAMPLE_PORT, port);
            DDX_LBIndex(dx, IDC_SAMPLE_NAMES, names);
            DDX_Check(dx, IDC_SAMPLE_ALL, all);
            DDX_Text(dx, IDC_SAMPLE_PATH, name);
            DDV_MaxChars(dx, name, 5);
        }
    } dialog;
    BOOL saved = TRUE;
    dialog.afterInit = [&] {
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_SAMPLE_USE_TIME)) << "radio 1 of the group";
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_SAMPLE_ALL));
        dialog.CheckRadioButton(IDC_SAMPLE_USE_SIZE, IDC_SAMPLE_USE_TIME, IDC_SAMPLE_USE_SIZE);
        dialog.CheckDlgButton(IDC_SAMPLE_ALL, BST_UNCHECKED);
        saved = dialog.UpdateData(TRUE);
        dialog.EndDialog(IDOK);
    };
    dialog.DoModal();
    EXPECT_FALSE(saved) << "six characters where five are allowed";
    EXPECT_EQ(0, dialog.radio);
    EXPECT_EQ(2, dialog.port);
    EXPECT_EQ(1, dialog.names);
    EXPECT_EQ(BST_UNCHECKED, dialog.all);
    EXPECT_NE(std::string::npos, Transcript::TakeCapture().find("Please enter no more than 5 characters."));
    Transcript::BeginCapture();
}

} // namespace
