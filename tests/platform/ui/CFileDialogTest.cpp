// The Save As dialog: filter text, default extension, overwrite prompt, and
// the answers a script arms.
#include "platform/ui/CFileDialog.h"
#include "platform/files/WinPath.h"
#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/automation/Transcript.h"

#include "tests/support/TempDir.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(CFileDialog, ReadsTheWindowsFilterText)
{
    EXPECT_EQ((QStringList{"TS Files (*.ts)", "All Files (*.*)"}),
              CFileDialog::NameFilters(L"TS Files (*.ts)|*.ts|All Files (*.*)|*.*||"));
    EXPECT_EQ((QStringList{"Streams (*.ts *.m2t)"}), CFileDialog::NameFilters(L"Streams|*.ts;*.m2t||"));
    EXPECT_EQ(QStringList{}, CFileDialog::NameFilters(L""));
    EXPECT_EQ(QStringList{}, CFileDialog::NameFilters(L"odd"));
}

TEST(CFileDialog, AppendsTheDefaultExtensionToANameWithoutOne)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* extension;
        const wchar_t* expected;
    } cases[] = {
        {L"/tmp/capture", L"TS", L"/tmp/capture.TS"},     {L"/tmp/capture.ts", L"TS", L"/tmp/capture.ts"},
        {L"/tmp.d/capture", L"TS", L"/tmp.d/capture.TS"}, {L"c:\\rec\\capture", L"TS", L"c:\\rec\\capture.TS"},
        {L"/tmp/capture", L"", L"/tmp/capture"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(c.expected, CFileDialog::WithDefaultExtension(c.path, c.extension));
    }
}

class ScriptedFileDialog : public ::testing::Test {
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
    TempDir dir;
};

TEST_F(ScriptedFileDialog, TakesTheArmedAnswerOnceAndAsksBeforeReplacing)
{
    const std::wstring existing = WindowsPath(dir / "old.ts");
    TempDir::WriteFile(dir / "old.ts", "keep");
    struct Case {
        const char* name;
        bool arm;
        std::optional<std::wstring> answer;
        INT_PTR result;
        std::wstring path;
        std::string transcript;
    } cases[] = {
        {"new name gets the extension", true, WindowsPath(dir / "new"), IDOK, WindowsPath(dir / "new.TS"),
         "save-as " + Transcript::Quote(WindowsPath(dir / "new.TS")) + "\n"},
        {"existing file: the prompt is answered yes", true, existing, IDOK, existing,
         "msgbox \"Confirm Save As\" exclamation \"old.ts already exists.\\nDo you want to replace it?\"\nsave-as " +
             Transcript::Quote(existing) + "\n"},
        {"cancel", true, std::nullopt, IDCANCEL, L"", "save-as cancel\n"},
        {"nothing armed: nobody to answer, so cancel", false, std::nullopt, IDCANCEL, L"", "save-as cancel\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.arm) ArmSaveAsAnswer(c.answer);
        CFileDialog dialog(FALSE, L"TS", L"", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           L"TS Files (*.ts)|*.ts|All Files (*.*)|*.*||");
        EXPECT_EQ(c.result, dialog.DoModal());
        EXPECT_EQ(c.path, dialog.GetPathName());
        EXPECT_EQ(c.transcript, Transcript::TakeCapture());
        Transcript::BeginCapture();
    }
    EXPECT_EQ("keep", TempDir::ReadFile(dir / "old.ts")) << "the dialog only chooses; it writes nothing";
}

TEST_F(ScriptedFileDialog, AFileNamedByItsWindowsPathIsAlsoConfirmedBeforeReplacing)
{
    TempDrive drive;
    TempDir::WriteFile(drive / "old.ts", "keep");
    ArmSaveAsAnswer(std::wstring(L"c:\\old.ts"));
    CFileDialog dialog(FALSE, L"TS", L"", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       L"TS Files (*.ts)|*.ts|All Files (*.*)|*.*||");
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ("msgbox \"Confirm Save As\" exclamation \"old.ts already exists.\\nDo you want to replace it?\"\n"
              "save-as \"c:\\\\old.ts\"\n",
              Transcript::TakeCapture());
    Transcript::BeginCapture();
}

TEST_F(ScriptedFileDialog, ShellOpenIsRecordedAndNothingStarts)
{
    TempDir::WriteFile(dir / "L-box-recorder.chm", "help");
    const std::wstring help = dir.path().wstring() + L"\\L-box-recorder.chm";
    EXPECT_GT(ShellExecute(nullptr, L"open", help.c_str(), nullptr, dir.path().wstring().c_str(), SW_SHOWNORMAL), 32);
    EXPECT_EQ(SE_ERR_FNF, ShellExecute(nullptr, L"open", L"/no/such/file.chm", nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_EQ(SE_ERR_NOASSOC, ShellExecute(nullptr, L"print", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_EQ("shell open " + Transcript::Quote(help) + "\nshell open \"/no/such/file.chm\"\n",
              Transcript::TakeCapture());
    Transcript::BeginCapture();
}

} // namespace
