// The whole program, run as a user would start it, driven by a UI script: what
// the transcript shows, what the log and the journal received, and that it ends
// by itself with every simulator object released.
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

::testing::AssertionResult HasLinesInOrder(const std::string& text, const std::vector<std::string>& expected)
{
    const std::vector<std::string> lines = Lines(text);
    auto at = lines.begin();
    for (const std::string& line : expected) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end()) {
            return ::testing::AssertionFailure() << "missing, or out of order: " << line << "\nin:\n" << text;
        }
        ++at;
    }
    return ::testing::AssertionSuccess();
}

struct ProgramOutput {
    int exitCode = -1;
    std::string transcript;
    std::string journal;
    std::string log;
};

// Starts the program with script, offscreen, drive c: in a fresh folder, on the
// embedded world or the given one, and waits for it to end.
ProgramOutput RunProgram(const std::string& script, const std::string& world = "")
{
    TempDir dir;
    TempDir::WriteFile(dir / "script.txt", script);
    std::filesystem::create_directories(dir / "c");
    std::string worldSetting = "-u KAVRO_SIM";
    if (!world.empty()) {
        TempDir::WriteFile(dir / "world.ini", world);
        worldSetting = "KAVRO_SIM='" + (dir / "world.ini").string() + "'";
    }
    const std::string command = "env " + worldSetting + " QT_QPA_PLATFORM=offscreen KAVRO_DRIVE_C='" + (dir / "c").string() +
                                "' KAVRO_UI_SCRIPT='" + (dir / "script.txt").string() + "' KAVRO_UI_TRANSCRIPT='" +
                                (dir / "transcript.txt").string() + "' KAVRO_SIM_JOURNAL='" +
                                (dir / "journal.txt").string() + "' '" KAVRO_PROGRAM "' 2>/dev/null";
    ProgramOutput run;
    const int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.transcript = TempDir::ReadFile(dir / "transcript.txt");
    run.journal = TempDir::ReadFile(dir / "journal.txt");
    run.log = TempDir::ReadFile(dir / "c" / "iptools.log");
    return run;
}

std::vector<std::string> LogTexts(const std::string& log)
{
    std::vector<std::string> texts;
    for (const std::string& line : Lines(log)) {
        const std::size_t close = line.find("] ");
        texts.push_back(close == std::string::npos ? line : line.substr(close + 2));
    }
    return texts;
}

TEST(ProgramRun, TheDemonstrationTourRunsToItsEnd)
{
    const ProgramOutput run = RunProgram(TempDir::ReadFile(KAVRO_DEMO_SCRIPT));
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {
                                                    "open 140 \"Kavro Record : Select device\"",
                                                    "item 1022 0 \"Kavro N71 DVBS/S2 Tuner\"",
                                                    "item 1022 1 \"Kavro N72 DVBS/S2 Tuner A\"",
                                                    "item 1022 2 \"Kavro N72 DVBS/S2 Tuner B\"",
                                                    "end 140 OK",
                                                    "open 102 \"KavroN71 TS Recorder\"",
                                                    "title \"Kavro N72 DVBS/S2 Tuner B TS Recorder - Version:  3.0.0.8 \"",
                                                    "open 130 \"Tuner Setting\"",
                                                    "control 1032 edit \"unlock\" enabled=0 visible=1",
                                                    "open 131 \"Capture Control\"",
                                                    "open 148 \"Motor/Positioner\"",
                                                    "open 100 \"KavroN71 TS Recorder\"",
                                                    "control 1050 static \" 3.0.0.8 \" enabled=1 visible=1",
                                                    "end 100 OK",
                                                    "done",
                                                    "end 102 CANCEL",
                                                }));
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript;
    const std::vector<std::string> log = {">> DeviceGetList", ">> DeviceGetList", "<< DeviceGetList",
                                          "BDA Device Name: [Kavro N72 DVBS/S2 Tuner B]      (Tuner Type:1)"};
    EXPECT_EQ(log, LogTexts(run.log));
    ASSERT_FALSE(Lines(run.journal).empty());
    EXPECT_EQ("exit live_objects=0", Lines(run.journal).back());
}

TEST(ProgramRun, CancelInTheDeviceSelectionEndsTheProgram)
{
    const ProgramOutput run = RunProgram("click 2\n");
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"open 140 \"Kavro Record : Select device\"", "end 140 CANCEL"}));
    EXPECT_EQ(std::string::npos, run.transcript.find("open 102")) << run.transcript;
    EXPECT_EQ(std::string::npos, run.journal.find("graph ")) << run.journal;
    EXPECT_EQ("exit live_objects=0", Lines(run.journal).back());
}

TEST(ProgramRun, ADeviceRemovalClosesTheProgram)
{
    const std::string world = "[World]\nTuners=N71\nDeviceRemovalAfter=2000\n"
                              "[Tuner.N71]\nName=Kavro N71 DVBS/S2 Tuner\nKind=pcie\n";
    const ProgramOutput run = RunProgram("click 1\nwait 20000\n", world);
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"end 140 OK", "open 102 \"KavroN71 TS Recorder\"",
                                                 "title \"Kavro N71 DVBS/S2 Tuner TS Recorder - Version:  3.0.0.8 \"",
                                                 "end 102 OK"}));
    EXPECT_EQ("exit live_objects=0", Lines(run.journal).back());
}

} // namespace

TEST(ProgramRun, MonitorAndRecorderBeforeAnyTune)
{
    // Nothing is tuned: the monitor reports no lock, "Apply" has no identifier
    // to send, and the recorder refuses to start without a lock.
    const ProgramOutput run = RunProgram("select 1022 2\nclick 1\nwait-text 1032 5000 UNLOCKED\n"
                                         "dump 1035\ndump 1034\n"
                                         // The tuner page has a control 1000 of its own.
                                         "page 1\nclick 1000\nclick 1036\nclick 1037\ndump 1035\n");
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {
        "control 1035 edit \"0\" enabled=0 visible=1",
        "control 1034 edit \"0\" enabled=0 visible=1",
        "open 131 \"Capture Control\"",
        "msgbox \"Kavro-TScap\" none \"NULL\"",
        "msgbox \"Kavro-TScap\" exclamation \"Signal is not locked! Please check signal first.\"",
        "msgbox \"Kavro-TScap\" exclamation \"Record is not started!\"",
        "control 1035 edit \"\" enabled=1 visible=1",
        "done",
    }));
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript;
    EXPECT_EQ("exit live_objects=0", Lines(run.journal).back());
}
