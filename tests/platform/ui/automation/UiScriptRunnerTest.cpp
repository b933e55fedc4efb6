// Scripts against the sample dialog, compared with the expected transcript.
#include "platform/ui/CWinApp.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/ui/automation/UiAutomation.h"

#include "tests/platform/ui/SampleDialog.h"
#include "tests/platform/ui/ToolkitProbe.h"
#include "tests/support/UiScriptText.h"

#include <gtest/gtest.h>

namespace {

// An id no control of the sample has.
constexpr int kNoSuchControl = 4242;

std::string AppTitle() { return Transcript::Quote(AfxGetAppName()); }

TEST(UiScriptRunner, RunsASmallScriptAgainstTheSampleDialog)
{
    SampleDialog dialog;
    const std::string script = UiScriptText()
                                   .Line("# a short session")
                                   .Text(IDC_SAMPLE_SIZE, "600")
                                   .Click(IDC_SAMPLE_USE_TIME)
                                   .Click(IDC_SAMPLE_ALL)
                                   .Select(IDC_SAMPLE_PORT, 2)
                                   .Pick(IDC_SAMPLE_NAMES, "beta")
                                   .Dump(IDC_SAMPLE_NAMES)
                                   .Dump(IDC_SAMPLE_PORT)
                                   .Click(IDC_SAMPLE_CANCEL)
                                   .SaveAsCancel()
                                   .Click(IDC_SAMPLE_BROWSE)
                                   .Click(IDC_SAMPLE_START)
                                   .WaitText(IDC_SAMPLE_STATUS, 2000, "Recording... 0%")
                                   .Dump(IDC_SAMPLE_STATUS)
                                   .Dump(IDC_SAMPLE_PROGRESS)
                                   .Dump(IDC_SAMPLE_SEND)
                                   .Focus(IDC_SAMPLE_SIZE)
                                   .Key("enter");
    const std::string transcript = RunUiScript(script, [&] { dialog.DoModal(); });
    EXPECT_EQ("open 200 \"Sample Settings\"\n"
              "control 1022 list \"\" enabled=1 visible=1 sel=1 count=3\n"
              "item 1022 0 \"Alpha\"\n"
              "item 1022 1 \"beta\"\n"
              "item 1022 2 \"gamma\"\n"
              "control 1003 combo \"Diseqc B\" enabled=1 visible=1 sel=2 count=5\n"
              "item 1003 0 \"Diseqc NULL\"\n"
              "item 1003 1 \"Diseqc A\"\n"
              "item 1003 2 \"Diseqc B\"\n"
              "item 1003 3 \"Diseqc C\"\n"
              "item 1003 4 \"Diseqc D\"\n"
              "msgbox " +
                  AppTitle() +
                  " exclamation \"Record is not started!\"\n"
                  "save-as cancel\n"
                  "control 1035 edit \"Recording... 0%\" enabled=1 visible=1\n"
                  "control 1004 progress \"\" enabled=1 visible=1 pos=0 range=0..100\n"
                  "control 1011 button \"Send\" enabled=1 visible=0 checked=0\n"
                  "end 200 OK\n"
                  "done\n",
              transcript);
    EXPECT_EQ(600u, dialog.m_sizeMB) << "OK saved the typed value";
    const std::vector<std::string> expectedStart = {"init",    "time mode",  "all on",     "port 2",
                                                    "names 1", "click 1037", "click 1029", "click 1036"};
    ASSERT_GE(dialog.events.size(), expectedStart.size());
    EXPECT_EQ(expectedStart, std::vector<std::string>(dialog.events.begin(), dialog.events.begin() + 8));
    EXPECT_EQ("destroy", dialog.events.back());
}

TEST(UiScriptRunner, AFailingCommandStopsTheScriptAndTheProgramCloses)
{
    struct Case {
        const char* name;
        std::string script;
        std::string expected;
    } cases[] = {
        {"unknown control", UiScriptText().Click(kNoSuchControl).Click(IDC_SAMPLE_START),
         "error 1 \"no control 4242\"\nend 200 CANCEL\n"},
        {"hidden button", UiScriptText().Click(IDC_SAMPLE_SEND),
         "error 1 \"control 1011 is hidden\"\nend 200 CANCEL\n"},
        {"disabled edit", UiScriptText().Text(IDC_SAMPLE_TIME, "5"),
         "error 1 \"control 1031 is disabled\"\nend 200 CANCEL\n"},
        {"digits only", UiScriptText().Text(IDC_SAMPLE_SIZE, "12a"),
         "error 1 \"control 1032 takes digits only\"\nend 200 CANCEL\n"},
        {"read-only", UiScriptText().Text(IDC_SAMPLE_STATUS, "x"),
         "error 1 \"control 1035 is read-only\"\nend 200 CANCEL\n"},
        {"no such item", UiScriptText().Pick(IDC_SAMPLE_PORT, "Diseqc E"),
         "error 1 \"control 1003 has no item \\\"Diseqc E\\\"\"\nend 200 CANCEL\n"},
        {"index out of range", UiScriptText().Select(IDC_SAMPLE_NAMES, 3),
         "error 1 \"control 1022 has no item 3\"\nend 200 CANCEL\n"},
        {"not a button", UiScriptText().Click(IDC_SAMPLE_NAMES),
         "error 1 \"control 1022 is not a button\"\nend 200 CANCEL\n"},
        {"no pages", UiScriptText().Page(1), "error 1 \"the window has no pages\"\nend 200 CANCEL\n"},
        {"text never shown", UiScriptText().WaitText(IDC_SAMPLE_STATUS, 30, "LOCKED"),
         "error 1 \"control 1035 shows \\\"\\\" after 30 ms\"\nend 200 CANCEL\n"},
        {"a line that cannot be read", "\n\nkey f1\n", "error 3 \"key needs enter or escape\"\nend 200 CANCEL\n"},
        {"closing by script", UiScriptText().Close(), "end 200 CANCEL\ndone\n"},
        {"device removal ends the dialog", UiScriptText().DeviceRemoval(), "end 200 OK\ndone\n"},
        {"script longer than the program", UiScriptText().Key("escape").Dump(),
         "end 200 CANCEL\nerror 2 \"the program ended before this command\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SampleDialog dialog;
        const std::string transcript = RunUiScript(c.script, [&] { dialog.DoModal(); });
        EXPECT_EQ("open 200 \"Sample Settings\"\n" + c.expected, transcript);
        EXPECT_FALSE(ToolkitWindowsLeft());
    }
}

} // namespace

namespace {

TEST(UiScriptRunner, TheExampleInTheAutomationDocumentHolds)
{
    // The script as docs/automation.md prints it, word for word.
    SampleDialog dialog;
    const std::string transcript = RunUiScript("# a short session\n"
                                               "pick 1022 beta\n"
                                               "dump 1022\n"
                                               "click 1037\n"
                                               "save-as cancel\n"
                                               "click 1029\n"
                                               "dump 1004\n"
                                               "focus 1032\n"
                                               "key enter\n",
                                               [&] { dialog.DoModal(); });
    EXPECT_EQ("open 200 \"Sample Settings\"\n"
              "control 1022 list \"\" enabled=1 visible=1 sel=1 count=3\n"
              "item 1022 0 \"Alpha\"\n"
              "item 1022 1 \"beta\"\n"
              "item 1022 2 \"gamma\"\n"
              "msgbox \"platform_ui_automation_test\" exclamation \"Record is not started!\"\n"
              "save-as cancel\n"
              "control 1004 progress \"\" enabled=1 visible=1 pos=0 range=0..100\n"
              "end 200 OK\n"
              "done\n",
              transcript);
}

} // namespace
