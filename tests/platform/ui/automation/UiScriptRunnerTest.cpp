// Scripts against the sample dialog, compared with the expected transcript.
#include "platform/ui/CWinApp.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/ui/automation/UiAutomation.h"

#include "tests/platform/ui/SampleDialog.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

std::string AppTitle() { return Transcript::Quote(AfxGetAppName()); }

TEST(UiScriptRunner, RunsASmallScriptAgainstTheSampleDialog)
{
    SampleDialog dialog;
    const std::string transcript = RunUiScript("# a short session\n"
                                               "text 1032 600\n"
                                               "click 1034\n"
                                               "click 1010\n"
                                               "select 1003 2\n"
                                               "pick 1022 beta\n"
                                               "dump 1022\n"
                                               "dump 1003\n"
                                               "click 1037\n"
                                               "save-as cancel\n"
                                               "click 1029\n"
                                               "click 1036\n"
                                               "wait-text 1035 2000 Recording... 0%\n"
                                               "dump 1035\n"
                                               "dump 1004\n"
                                               "dump 1011\n"
                                               "focus 1032\n"
                                               "key enter\n",
                                               [&] { dialog.DoModal(); });
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
        const char* script;
        std::string expected;
    } cases[] = {
        {"unknown control", "click 4242\nclick 1036\n", "error 1 \"no control 4242\"\nend 200 CANCEL\n"},
        {"hidden button", "click 1011\n", "error 1 \"control 1011 is hidden\"\nend 200 CANCEL\n"},
        {"disabled edit", "text 1031 5\n", "error 1 \"control 1031 is disabled\"\nend 200 CANCEL\n"},
        {"digits only", "text 1032 12a\n", "error 1 \"control 1032 takes digits only\"\nend 200 CANCEL\n"},
        {"read-only", "text 1035 x\n", "error 1 \"control 1035 is read-only\"\nend 200 CANCEL\n"},
        {"no such item", "pick 1003 Diseqc E\n",
         "error 1 \"control 1003 has no item \\\"Diseqc E\\\"\"\nend 200 CANCEL\n"},
        {"index out of range", "select 1022 3\n", "error 1 \"control 1022 has no item 3\"\nend 200 CANCEL\n"},
        {"not a button", "click 1022\n", "error 1 \"control 1022 is not a button\"\nend 200 CANCEL\n"},
        {"no pages", "page 1\n", "error 1 \"the window has no pages\"\nend 200 CANCEL\n"},
        {"text never shown", "wait-text 1035 30 LOCKED\n",
         "error 1 \"control 1035 shows \\\"\\\" after 30 ms\"\nend 200 CANCEL\n"},
        {"a line that cannot be read", "\n\nkey f1\n", "error 3 \"key needs enter or escape\"\nend 200 CANCEL\n"},
        {"closing by script", "close\n", "end 200 CANCEL\ndone\n"},
        {"device removal ends the dialog", "device-removal\n", "end 200 OK\ndone\n"},
        {"script longer than the program", "key escape\ndump\n",
         "end 200 CANCEL\nerror 2 \"the program ended before this command\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SampleDialog dialog;
        const std::string transcript = RunUiScript(c.script, [&] { dialog.DoModal(); });
        EXPECT_EQ("open 200 \"Sample Settings\"\n" + c.expected, transcript);
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    }
}

} // namespace

namespace {

TEST(UiScriptRunner, TheExampleInTheAutomationDocumentHolds)
{
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
