// The program's command line and its exit status, as a shell or a script sees them.
#include "tests/e2e/ProgramRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiScriptText.h"
#include "app/CDeviceList.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace {

// No window has a control of this id.
constexpr int kNoSuchControl = 4711;

struct Answer {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program with one argument and the given environment prefix.
Answer Ask(const std::string& environment, const std::string& argument)
{
    TempDir dir;
    const std::string command = "env " + environment + " '" + std::string(KAVRO_PROGRAM) + "' " + argument + " >'" +
        (dir / "out").string() + "' 2>'" + (dir / "err").string() + "' </dev/null";
    const int status = std::system(command.c_str());
    Answer answer;
    if (WIFEXITED(status)) answer.status = WEXITSTATUS(status);
    answer.out = TempDir::ReadFile(dir / "out");
    answer.err = TempDir::ReadFile(dir / "err");
    return answer;
}

TEST(CommandLineRun, HelpAndVersionAnswerWithOrWithoutADisplay)
{
    struct Case {
        const char* name;
        const char* environment;
    };
    const Case cases[] = {
        {"offscreen", "QT_QPA_PLATFORM=offscreen"},
        {"no display variable at all", "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Answer version = Ask(c.environment, "--version");
        EXPECT_EQ(0, version.status) << version.err;
        EXPECT_EQ("Kavro-TScap 3.0.0.8\n", version.out);
        const Answer help = Ask(c.environment, "--help");
        EXPECT_EQ(0, help.status) << help.err;
        EXPECT_EQ(0u, help.out.rfind("Usage: Kavro-TScap [--help | --version]\n", 0)) << help.out;
        EXPECT_NE(std::string::npos, help.out.find("KAVRO_UI_SCRIPT")) << help.out;
    }
}

TEST(CommandLineRun, AScriptThatFailsEndsWithStatusThree)
{
    struct Case {
        const char* name;
        std::string script;
        int status;
        std::string lastLine;
    };
    const Case cases[] = {
        {"every line runs", UiScriptText().Select(IDC_DEVICE_LIST, 2).Click(IDOK).Close(), 0, "done"},
        {"a line that errors", UiScriptText().Select(IDC_DEVICE_LIST, 2).Click(IDOK).Click(kNoSuchControl), 3,
         "error 3 \"no control 4711\""},
        {"a line that cannot be read", UiScriptText().Select(IDC_DEVICE_LIST, 2).Line("fly away"), 3,
         "error 2 \"unknown command \\\"fly\\\"\""},
        {"the program ends before the script", UiScriptText().Click(IDCANCEL).Dump(IDC_DEVICE_LIST), 3,
         "error 2 \"the program ended before this command\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramOutput run = RunProgram(c.script);
        EXPECT_EQ(c.status, run.exitCode) << run.transcript;
        const std::vector<std::string> lines = Lines(run.transcript);
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(HasLinesInOrder(run.transcript, {c.lastLine})) << run.transcript;
        EXPECT_EQ("exit live_objects=0", run.LastJournalLine());
    }
}

} // namespace
