// A recording at the highest bitrate the simulated tuner carries while the
// Motor/Positioner page moves the dish: single steps east and west, a drive
// and a stop that lose the signal, "Go" to another satellite and back. The
// file holds exactly what the capture filter delivered, the stream resumes
// on the same transponder with unbroken continuity, and nothing is lost.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/RunChecks.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "record/CUtiVirtualDamonDlg.h"
#include "positioner/CPositionDlg.h"
#include "app/MainWindowControls.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// 45000 kS/s DVB-S2 16APSK 9/10 without pilots at roll-off 0.20: the fastest
// transport stream, about 160 Mbit/s. The other satellite has nothing at
// 12000 H, so the signal is gone while the dish looks there.
const char kFastSatellite[] = "[SATTYPE]\n1=0192\n2=Rate Test\n[DVB]\n0=1\n"
                              "1=12000,H,45000,910,S2,16APSK,pilots=off,rolloff=0.20\n";
const char kOtherSatellite[] = "[SATTYPE]\n1=0130\n2=Other Test\n[DVB]\n0=1\n1=11000,V,27500,34,DVB-S,QPSK\n";
constexpr std::uint64_t kBitsPerSecond = 160530387;

// The site lies on 19.2 E, so the motorised dish on port C, at 0 degrees,
// looks straight at 19.2 E.
std::string World(const TempDir& sky)
{
    return "[World]\nTuners=N72B\nSite=48.0,19.2\nSky=" + sky.path().string() +
        "\n[Tuner.N72B]\nName=Kavro N72 DVBS/S2 Tuner B\nKind=pcie\nCable=Home\n"
        "[Cable.Home]\nLnb=9750,10600,11700\nPortA=sat 0130\nPortC=motor\nDefault=C\nMotorAngle=0.0\n"
        "MotorSpeed=10.0\nMotorStep=0.1\n";
}

const std::string kScript =
    // Tuner Setting: 12000 H through port C.
    UiScriptText()
        .Click(IDOK)
        .Text(IDC_LNB_LOW, "9750")
        .Text(IDC_LNB_HIGH, "10600")
        .Text(IDC_LNB_SWITCH, "11700")
        .Text(IDC_FREQUENCY_EDIT, "12000")
        .Text(IDC_SYMBOLRATE_EDIT, "45000")
        .Select(IDC_POLARITY, 0)
        .Select(IDC_DISEQC, 3)
        .Click(IDOK)
        .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
        .WaitText(IDC_IF, 10000, "1400000")
        .Page(2)
        .Text(IDC_LATITUDE, "48.0")
        .Text(IDC_LONGITUDE, "19.2")
        // Capture Control: a recording started and cancelled stops the graph that
        // Lock TP ran, so the recording proper runs it; its limit lies beyond the
        // dish's tour, which Cancel Record ends.
        .Page(1)
        .Click(IDC_USE_TIME_LIMIT)
        .Text(IDC_TIME_LIMIT, "60")
        .Click(IDC_START_RECORD)
        .Click(IDC_CANCEL_RECORD)
        .Click(IDC_START_RECORD)
        .WaitText(IDC_PROGRESS_TEXT, 10000, "60 Seconds")
        .Wait(500)
        // Motor/Positioner: three steps east and back keep the lock; a drive west
        // for a moment loses it; "Go" to 13.0 E and back to 19.2 E finds it again.
        .Page(2)
        .Click(IDC_STEP_EAST)
        .Click(IDC_STEP_EAST)
        .Click(IDC_STEP_EAST)
        .Wait(300)
        .Click(IDC_STEP_WEST)
        .Click(IDC_STEP_WEST)
        .Click(IDC_STEP_WEST)
        .Wait(300)
        .Click(IDC_DRIVE_WEST)
        .Wait(200)
        .Click(IDC_STOP)
        .WaitText(IDC_LOCK_STATUS, 10000, "UNLOCKED")
        .Text(IDC_SATELLITE, "0130")
        .Click(IDC_GO)
        .Wait(1000)
        .Text(IDC_SATELLITE, "0192")
        .Click(IDC_GO)
        .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
        .Wait(1000)
        .Page(1)
        .Click(IDC_CANCEL_RECORD)
        .Close();

std::vector<std::string> LinesAfterLast(const std::string& text, const std::string& mark, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : Lines(text)) {
        if (line.rfind(mark, 0) == 0) found.clear();
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
}

TEST(MovingDishRecordingRun, TheFastestStreamIsRecordedWholeWhileTheDishMoves)
{
    TempDir sky;
    TempDir::WriteFile(sky / "0192.ini", kFastSatellite);
    TempDir::WriteFile(sky / "0130.ini", kOtherSatellite);
    OwnProgramFolder folder;

    const ProgramOutput run = RunProgram(kScript, {.world = World(sky), .program = folder.Program()});
    EXPECT_TRUE(EndedCleanly(run));
    EXPECT_EQ(std::string::npos, run.transcript.find("msgbox")) << run.transcript;
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"open 148 \"Motor/Positioner\"", "end 102 CANCEL", "done"}));

    // Within the recording's run of the capture filter the stream started,
    // stopped while the dish looked away, and came back on the same
    // transponder.
    const std::string stream =
        "capture stream \"Rate Test\" freq=12000 pol=H isi=0 bitrate=" + std::to_string(kBitsPerSecond) + " output=ts";
    const std::vector<std::string> streams = LinesAfterLast(run.journal, "capture run ", "capture stream ");
    EXPECT_EQ(std::vector<std::string>({stream, stream}), streams) << run.journal;
    const std::vector<std::string> moves = LinesAfterLast(run.journal, "capture run ", "diseqc E1 31 ");
    ASSERT_EQ(10u, moves.size()) << run.journal;
    EXPECT_EQ("diseqc E1 31 68 FF -> motor drive east 1 step", moves[0]);
    EXPECT_EQ("diseqc E1 31 69 FF -> motor drive west 1 step", moves[5]);
    EXPECT_EQ("diseqc E1 31 69 50 -> motor drive west for 80 s", moves[6]);
    EXPECT_EQ(0u, moves[7].find("diseqc E1 31 60 -> motor halt")) << moves[7];
    EXPECT_EQ(0u, moves[8].find("diseqc E1 31 6E D0 6D -> motor goto")) << moves[8];
    EXPECT_EQ(0u, moves[9].find("diseqc E1 31 6E E0 00 -> motor goto")) << moves[9];

    EXPECT_TRUE(RecordingIsTheDelivery(run, "L-capture.ts"));
    // The dish's tour keeps the signal for well over a second of the recording.
    std::error_code missing;
    EXPECT_GT(std::filesystem::file_size(run.DriveC() / "L-capture.ts", missing), kBitsPerSecond / 8);
}

} // namespace
