// The whole program, run as a user would start it, driven by a UI script: what
// the transcript shows, what the log and the journal received, and that it ends
// by itself with every simulator object released.
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/RunChecks.h"
#include "tests/e2e/Scenarios.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "record/CUtiVirtualDamonDlg.h"
#include "app/MainWindowControls.h"
#include "app/CDeviceList.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(ProgramRun, TheDemonstrationTunesLocksAndRecords)
{
    const ProgramOutput run = RunProgram(TempDir::ReadFile(KAVRO_DEMO_SCRIPT));
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(HasLinesInOrder(run.transcript,
                                {
                                    "open 140 \"Kavro Record : Select device\"",
                                    "item 1022 0 \"Kavro N71 DVBS/S2 Tuner\"",
                                    "item 1022 1 \"Kavro N72 DVBS/S2 Tuner A\"",
                                    "item 1022 2 \"Kavro N72 DVBS/S2 Tuner B\"",
                                    "end 140 OK",
                                    "open 102 \"KavroN71 TS Recorder\"",
                                    "title \"Kavro N72 DVBS/S2 Tuner B TS Recorder - Version:  3.0.0.8 \"",
                                    "open 130 \"Tuner Setting\"",
                                    "control 1032 edit \"LOCKED\" enabled=0 visible=1",
                                    "control 1053 edit \"DVB-S2\" enabled=1 visible=1",
                                    "control 1048 edit \"2/3\" enabled=1 visible=1",
                                    "control 1042 edit \"8PSK\" enabled=1 visible=1",
                                    "control 1051 edit \"1303000\" enabled=1 visible=1",
                                    "control 1052 edit \"22000000\" enabled=1 visible=1",
                                    "open 131 \"Capture Control\"",
                                    "control 1030 edit \"c:\\\\Kavro-TScap-demo.ts\" enabled=1 visible=1",
                                    "control 1039 edit \"1 Seconds\" enabled=1 visible=1",
                                    "control 1035 edit \"Record Stopped!\" enabled=1 visible=1",
                                    "open 148 \"Motor/Positioner\"",
                                    "done",
                                    "end 102 CANCEL",
                                }));
    EXPECT_EQ(std::string::npos, run.transcript.find("msgbox")) << run.transcript;
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript;
    const std::vector<std::string> log = {">> DeviceGetList", ">> DeviceGetList", "<< DeviceGetList",
                                          "BDA Device Name: [Kavro N72 DVBS/S2 Tuner B]      (Tuner Type:1)"};
    const std::vector<std::string> logged = LogTexts(run.log);
    ASSERT_GE(logged.size(), log.size()) << run.log;
    EXPECT_EQ(log, std::vector<std::string>(logged.begin(), logged.begin() + 4));
    // Three seconds of the transponder, whole and unbroken.
    const std::string recording = run.FileOnC("Kavro-TScap-demo.ts");
    EXPECT_GT(recording.size(), 1'000'000u);
    EXPECT_EQ("", TransportStreamFault(recording));
    EXPECT_EQ("exit live_objects=0", run.LastJournalLine());
}

TEST(ProgramRun, F1OpensTheHelpFileShippedBesideTheProgram)
{
    const std::filesystem::path help = std::filesystem::path(KAVRO_PROGRAM).parent_path() / "L-box-recorder.chm";
    // A compiled help file begins with its signature.
    EXPECT_EQ("ITSF", TempDir::ReadFile(help).substr(0, 4)) << help;
    const ProgramOutput run = RunProgram(UiScriptText().Select(IDC_DEVICE_LIST, 0).Click(IDOK).Help());
    EXPECT_EQ(0, run.exitCode) << run.transcript;
    // The program's folder is a Linux folder: drive z: names it.
    std::string windowsPath = "z:" + help.string();
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    std::string quoted;
    for (char c : windowsPath) quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"shell open \"" + quoted + "\""})) << run.transcript;
}

// "Lock TP" disables itself while it tunes; the focus stays on the page, so
// Enter tunes again and Escape does nothing instead of ending the program.
TEST(ProgramRun, EnterAndEscapeAfterLockTpStayOnThePage)
{
    const ProgramOutput run = RunProgram(UiScriptText()
                                             .Select(IDC_DEVICE_LIST, 0)
                                             .Click(IDOK)
                                             .Click(IDOK)
                                             .Wait(500)
                                             .Key("enter")
                                             .Wait(300)
                                             .Key("escape")
                                             .Wait(300)
                                             .Dump(IDC_LOCK_STATUS));
    EXPECT_EQ(0, run.exitCode) << run.transcript;
    EXPECT_EQ(std::string::npos, run.transcript.find("end 102 OK")) << run.transcript;
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"open 130 \"Tuner Setting\"", "done", "end 102 CANCEL"}))
        << run.transcript;
    EXPECT_EQ("exit live_objects=0", run.LastJournalLine());
}

TEST(ProgramRun, CancelInTheDeviceSelectionEndsTheProgram)
{
    const ProgramOutput run = RunProgram(UiScriptText().Click(IDCANCEL));
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"open 140 \"Kavro Record : Select device\"", "end 140 CANCEL"}));
    EXPECT_EQ(std::string::npos, run.transcript.find("open 102")) << run.transcript;
    EXPECT_EQ(std::string::npos, run.journal.find("graph ")) << run.journal;
    EXPECT_EQ("exit live_objects=0", run.LastJournalLine());
}

TEST(ProgramRun, ADeviceRemovalClosesTheProgram)
{
    const ProgramOutput run = RunProgram(RemovedTunerScript(), {.world = RemovedTunerWorld()});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(HasLinesInOrder(run.transcript,
                                {"end 140 OK", "open 102 \"KavroN71 TS Recorder\"",
                                 "title \"Kavro N71 DVBS/S2 Tuner TS Recorder - Version:  3.0.0.8 \"", "end 102 OK"}));
    EXPECT_EQ("exit live_objects=0", run.LastJournalLine());
}

TEST(ProgramRun, NamedPipesForTheScriptOrTheWorldAreRefusedBeforeAnyWindow)
{
    // Nobody writes these pipes: a program that read them would wait for ever.
    TempDir pipes;
    ASSERT_EQ(0, ::mkfifo((pipes / "script").c_str(), 0600));
    ASSERT_EQ(0, ::mkfifo((pipes / "world.ini").c_str(), 0600));
    const std::string guard = "timeout -s KILL 60 ";

    const ProgramOutput script =
        RunProgram(UiScriptText().Click(IDOK),
                   {.shellPrefix = guard, .environment = "KAVRO_UI_SCRIPT='" + (pipes / "script").string() + "'"});
    EXPECT_EQ(3, script.exitCode) << "a script that cannot be read has failed";
    EXPECT_TRUE(HasLinesInOrder(
        script.transcript,
        {"error 0 \"cannot read the script " + (pipes / "script").string() + ": it is not a regular file\""}))
        << script.transcript;
    EXPECT_EQ("exit live_objects=0", script.LastJournalLine());

    const ProgramOutput world =
        RunProgram(UiScriptText().Click(IDCANCEL),
                   {.shellPrefix = guard, .environment = "KAVRO_SIM='" + (pipes / "world.ini").string() + "'"});
    EXPECT_EQ(0, world.exitCode);
    EXPECT_TRUE(HasLinesInOrder(world.transcript, {"open 140 \"Kavro Record : Select device\"", "end 140 CANCEL"}))
        << world.transcript;
    EXPECT_NE(std::string::npos,
              world.journal.find("sim error \"world file " + (pipes / "world.ini").string() +
                                 ": not a regular file; the machine has no tuners\""))
        << world.journal;
    EXPECT_EQ("exit live_objects=0", world.LastJournalLine());
}

} // namespace

TEST(ProgramRun, MonitorAndRecorderBeforeAnyTune)
{
    // Nothing is tuned: the monitor reports no lock, "Apply" has no identifier
    // to send, and the recorder refuses to start without a lock.
    const ProgramOutput run = RunProgram(BeforeAnyTuneScript());
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(
        HasLinesInOrder(run.transcript,
                        {
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
    EXPECT_EQ("exit live_objects=0", run.LastJournalLine());
}

TEST(ProgramRun, TuneWatchTheMonitorAndRecordThreeSeconds)
{
    // One tuner on a fixed dish at 19.2 E, whose sky has one DVB-S2 transponder.
    TempDir sky;
    TempDir::WriteFile(sky / kOneTransponderSkyFile, kOneTransponderSkyText);
    const ProgramOutput run =
        RunProgram(TuneWatchAndRecordScript(), {.world = OneTransponderWorld(sky.path().string())});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript;
    EXPECT_EQ(std::string::npos, run.transcript.find("msgbox")) << run.transcript;
    EXPECT_TRUE(HasLinesInOrder(run.transcript,
                                {
                                    "control 1053 edit \"DVB-S2\" enabled=1 visible=1",
                                    "control 1048 edit \"2/3\" enabled=1 visible=1",
                                    "control 1042 edit \"8PSK\" enabled=1 visible=1",
                                    "control 1047 edit \"0.20\" enabled=1 visible=1",
                                    "control 1050 edit \"F2  00\" enabled=1 visible=1",
                                    "control 1051 edit \"1744000\" enabled=1 visible=1",
                                    "done",
                                }));

    // The last run of the capture filter is the three-second recording.
    const std::vector<std::uint64_t> runs = JournalNumbers(run.journal, "capture run bytes=");
    const std::vector<std::uint64_t> stops = JournalNumbers(run.journal, "capture stop bytes=");
    ASSERT_GE(runs.size(), 2u) << run.journal;
    ASSERT_GE(stops.size(), 2u) << run.journal;
    const std::uint64_t delivered = stops.back() - runs.back();
    const std::string recording = run.FileOnC("L-capture.ts");
    EXPECT_EQ(delivered, recording.size()) << "the file holds exactly what was delivered while recording";
    EXPECT_GT(recording.size(), 188u * 1000);
    EXPECT_EQ("", TransportStreamFault(recording));
    EXPECT_EQ(std::string::npos, run.journal.find("capture overrun")) << run.journal;
    EXPECT_EQ("exit live_objects=0", run.LastJournalLine());

    // An independent demultiplexer reads it as a transport stream without a
    // warning.
    const std::optional<std::string> format = ProbedFormat(recording);
    if (!format) GTEST_SKIP() << "ffprobe is not installed";
    EXPECT_EQ("mpegts\n", *format);
}
