// Fifty whole-program runs in a row, as a technician would make them: start,
// choose a tuner, tune a transponder, wait for the lock, record one second on
// the Capture Control page, close the window. Every run ends cleanly and
// leaves a recording that holds exactly what the tuner delivered. The runs
// are split into shards that ctest can run side by side; tuners and
// transponders change from run to run.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/RunChecks.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "record/CUtiVirtualDamonDlg.h"
#include "app/MainWindowControls.h"
#include "app/CDeviceList.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kShards = 5;
constexpr int kRunsPerShard = 10;

struct Machine {
    const char* name;
    std::string world; // empty: the embedded world
    int device;        // index in the device selection list
};

// The embedded world lists N71, N72 A, N72 B and U31 in this order; the last
// machine has only the USB box.
const Machine kMachines[] = {
    {"N71", "", 0},
    {"N72 A", "", 1},
    {"N72 B", "", 2},
    {"U31 beside the others", "", 3},
    {"U31 alone",
     "[World]\nTuners=U31\n[Tuner.U31]\nName=Kavro U31 DVBS2 Tuner\nKind=usb\nCable=Home\n"
     "[Cable.Home]\nPortA=sat 0192\nPortB=sat 0130\n",
     0},
};

struct Transponder {
    int frequencyMhz;
    int polarity;   // list index: 0 horizontal, 1 vertical
    int symbolRate; // kS/s
    int diseqc;     // list index: 1 port A (19.2 E), 2 port B (13.0 E)
};

// From the shipped satellite files: both bands, both polarisations, DVB-S and
// DVB-S2, the fixed dishes of ports A and B.
const Transponder kTransponders[] = {
    {10744, 0, 22000, 1}, {10758, 1, 22000, 1}, {11053, 0, 22000, 1}, {11739, 1, 27500, 1}, {11778, 1, 30000, 1},
    {11836, 0, 27500, 1}, {10719, 1, 27500, 2}, {10775, 0, 28000, 2}, {11747, 0, 27500, 2}, {11842, 1, 27500, 2},
};

// The intermediate frequency the monitor shows for a locked transponder behind
// the universal LNB, kHz.
int IntermediateKhz(int frequencyMhz) { return (frequencyMhz - (frequencyMhz > 11700 ? 10600 : 9750)) * 1000; }

std::string RecordOneSecondScript(const Machine& machine, const Transponder& tp)
{
    return UiScriptText()
        .Select(IDC_DEVICE_LIST, machine.device)
        .Click(IDOK)
        .Text(IDC_LNB_LOW, "9750")
        .Text(IDC_LNB_HIGH, "10600")
        .Text(IDC_LNB_SWITCH, "11700")
        .Text(IDC_FREQUENCY_EDIT, std::to_string(tp.frequencyMhz))
        .Text(IDC_SYMBOLRATE_EDIT, std::to_string(tp.symbolRate))
        .Select(IDC_POLARITY, tp.polarity)
        .Select(IDC_DISEQC, tp.diseqc)
        .Click(IDOK)
        .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
        // The stream description of this transponder: locked on the right one.
        .WaitText(IDC_IF, 10000, std::to_string(IntermediateKhz(tp.frequencyMhz)))
        .Page(1)
        .Click(IDC_USE_TIME_LIMIT)
        .Text(IDC_TIME_LIMIT, "1")
        // Lock TP left the graph running; a recording started and cancelled
        // stops it, so the recording that counts runs it and its delivered
        // bytes are journaled.
        .Click(IDC_START_RECORD)
        .Click(IDC_CANCEL_RECORD)
        .Click(IDC_START_RECORD)
        // "1 Seconds" left shows from the first tick until the last second
        // begins; the status then says "Record Stopped!" again only once the
        // time is up.
        .WaitText(IDC_PROGRESS_TEXT, 10000, "1 Seconds")
        .WaitText(IDC_RECORD_STATUS, 10000, "Record Stopped!")
        .Close();
}

class RepeatedRecordingRun : public testing::TestWithParam<int> {
protected:
    OwnProgramFolder m_folder;
};

TEST_P(RepeatedRecordingRun, EveryRunRecordsWhatWasDeliveredAndEndsClean)
{
    for (int i = 0; i < kRunsPerShard; ++i) {
        const int run = GetParam() * kRunsPerShard + i;
        const Machine& machine = kMachines[run % std::size(kMachines)];
        const Transponder& tp = kTransponders[(run + run / kRunsPerShard) % std::size(kTransponders)];
        SCOPED_TRACE("run " + std::to_string(run) + ": " + machine.name + ", " + std::to_string(tp.frequencyMhz) +
                     (tp.polarity == 0 ? " H" : " V"));

        const ProgramOutput output =
            RunProgram(RecordOneSecondScript(machine, tp), {.world = machine.world, .program = m_folder.Program()});
        EXPECT_TRUE(EndedCleanly(output));
        EXPECT_EQ(std::string::npos, output.transcript.find("msgbox")) << output.transcript;
        EXPECT_TRUE(HasLinesInOrder(output.transcript, {"open 131 \"Capture Control\"", "end 102 CANCEL", "done"}));
        const std::vector<std::uint64_t> tuned = {static_cast<std::uint64_t>(tp.frequencyMhz) * 1000};
        EXPECT_EQ(tuned, JournalNumbers(output.journal, "tune freq="));
        EXPECT_TRUE(RecordingIsTheDelivery(output, "L-capture.ts"));
        // A second of even the slowest of these transponders is megabytes.
        std::error_code missing;
        EXPECT_GT(std::filesystem::file_size(output.DriveC() / "L-capture.ts", missing), 1000u * 188);
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, RepeatedRecordingRun, testing::Range(0, kShards));

} // namespace
