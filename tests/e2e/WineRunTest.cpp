// The Windows build of the program under Wine against the Linux build: each
// scenario run on both, their transcripts, journals and logs equal once the
// lines listed in RunNormalisation.cpp are normalised, both ending cleanly, and
// a recording the Windows run made whole, exactly what its capture filter
// delivered, and a transport stream to an independent demultiplexer.
// KAVRO_WINDOWS_PROGRAM names the Windows program (the wine test preset sets
// it); without it every case is skipped.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/RunChecks.h"
#include "tests/e2e/RunComparison.h"
#include "tests/e2e/Scenarios.h"
#include "tests/e2e/WinePath.h"
#include "tests/e2e/WineProgramRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiScriptText.h"
#include "app/CDeviceList.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace {

enum class Sky {
    None,           // the world names no sky folder
    Shipped,        // the shipped satellite files
    OneTransponder, // kOneTransponderSkyText in a folder of the run's own
};

struct Case {
    const char* name;
    std::string script;
    // The world's text for a sky folder named as the program names paths;
    // none: the embedded world.
    std::string (*world)(const std::string& sky);
    Sky sky;
    const char* recording; // the file on drive c: that the run records, or none
    // The recording holds exactly what the capture filter delivered in its last
    // run (RecordingIsTheDelivery); otherwise the graph runs on after it, and
    // it is only checked whole.
    bool recordingIsTheLastRun;
    // A difference the comparison found that is still open, or none: the case is
    // skipped with it until the builds agree there again.
    const char* openDifference = nullptr;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::string FieldWorldOf(const std::string& sky) { return FieldWorld(sky); }
std::string RemovedTunerWorldOf(const std::string&) { return RemovedTunerWorld(); }

const std::string kRecordAWhile = FieldTuneScript() + FieldRecordScript() + UiScriptText().Wait(1500);

const Case kCases[] = {
    {"StartUpAndDeviceList", UiScriptText().Dump(IDC_DEVICE_LIST).Click(IDCANCEL), nullptr, Sky::None, nullptr, false},
    {"Demonstration", TempDir::ReadFile(KAVRO_DEMO_SCRIPT), nullptr, Sky::None, "Kavro-TScap-demo.ts", false},
    {"TuneWatchAndRecord", TuneWatchAndRecordScript(), OneTransponderWorld, Sky::OneTransponder, "L-capture.ts", true},
    {"MonitorAndRecorderBeforeAnyTune", BeforeAnyTuneScript(), nullptr, Sky::None, nullptr, false},
    {"Positioner", PositionerScript(), PositionerWorld, Sky::Shipped, nullptr, false},
    {"TunerRemovedByTheMachine", RemovedTunerScript(), RemovedTunerWorldOf, Sky::None, nullptr, false,
     "open difference: when the program ends during the script's last wait, the Windows script runner writes "
     "'error 2 \"the program ended before this command\"' and exits with 3, the Linux one writes 'done'"},
    {"WindowClosedWhileRecording", kRecordAWhile + UiScriptText().Close(), FieldWorldOf, Sky::Shipped, "L-capture.ts",
     true},
    {"TunerRemovedWhileRecording", kRecordAWhile + UiScriptText().DeviceRemoval(), FieldWorldOf, Sky::Shipped,
     "L-capture.ts", true},
};

class WineRun : public testing::TestWithParam<Case> {};

TEST_P(WineRun, BothBuildsShowAndRecordTheSame)
{
    const Case& c = GetParam();
    std::string why;
    const std::optional<WineSetup> setup = WineSetupFromEnvironment(why);
    if (!setup) GTEST_SKIP() << why;
    if (c.openDifference) GTEST_SKIP() << c.openDifference;
    ASSERT_TRUE(std::filesystem::is_regular_file(setup->program)) << setup->program << " is not there";

    TempDir ownSky;
    TempDir::WriteFile(ownSky / kOneTransponderSkyFile, kOneTransponderSkyText);
    const std::filesystem::path sky = c.sky == Sky::OneTransponder ? ownSky.path() : KAVRO_SKY_DIR;
    const OwnProgramFolder linuxFolder;
    const ProgramOutput linuxRun =
        RunProgram(c.script, {.world = c.world ? c.world(sky.string()) : "", .program = linuxFolder.Program()});
    const ProgramOutput windowsRun =
        RunWindowsProgram(*setup, c.script, {.world = c.world ? c.world(WinePath(sky)) : ""});

    EXPECT_TRUE(EndedCleanly(linuxRun)) << "Linux";
    EXPECT_TRUE(EndedCleanly(windowsRun)) << "Windows";
    EXPECT_TRUE(SameRun(linuxRun, windowsRun));
    if (!c.recording) return;
    const std::string recording = windowsRun.FileOnC(c.recording);
    if (c.recordingIsTheLastRun) {
        EXPECT_TRUE(RecordingIsTheDelivery(linuxRun, c.recording)) << "Linux";
        EXPECT_TRUE(RecordingIsTheDelivery(windowsRun, c.recording)) << "Windows";
    } else {
        EXPECT_GT(recording.size(), 188u * 1000);
        EXPECT_EQ("", TransportStreamFault(recording));
    }
    const std::optional<std::string> format = ProbedFormat(recording);
    if (!format) GTEST_SKIP() << "ffprobe is not installed";
    EXPECT_EQ("mpegts\n", *format);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WineRun, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
