// "Lock TP" pressed again and again while the signal monitor polls: thirty
// presses over six transponders, some back to back, some a moment apart, a
// few waiting for the monitor to show the lock. Every press reaches the tuner
// in order, the program ends locked on the last transponder and closes clean.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/RunChecks.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "app/MainWindowControls.h"
#include "app/CDeviceList.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Transponder {
    int frequencyMhz;
    int polarity; // list index: 0 horizontal, 1 vertical
    int symbolRate;
    int intermediateKhz; // behind the universal LNB
};

// 19.2 E on port A, low and high band. The presses cycle through the first
// five; the two presses after which the user waits for the lock, and the
// last, have transponders of their own, so the monitor cannot show their
// lock before they are tuned.
const Transponder kCycle[] = {
    {10744, 0, 22000, 994000}, {10758, 1, 22000, 1008000}, {11778, 1, 30000, 1178000},
    {10714, 0, 22000, 964000}, {10729, 1, 22000, 979000},
};
const Transponder kTenth = {11053, 0, 22000, 1303000};
const Transponder kTwentieth = {11739, 1, 27500, 1139000};
const Transponder kLast = {11836, 0, 27500, 1236000};
constexpr int kPresses = 30;

TEST(LockTpRepeatRun, EveryPressTunesInOrderAndTheLastOneLocks)
{
    OwnProgramFolder folder;
    std::string script = UiScriptText()
                             .Select(IDC_DEVICE_LIST, 1)
                             .Click(IDOK)
                             .Text(IDC_LNB_LOW, "9750")
                             .Text(IDC_LNB_HIGH, "10600")
                             .Text(IDC_LNB_SWITCH, "11700")
                             .Select(IDC_DISEQC, 1);
    std::vector<std::uint64_t> expected;
    for (int press = 0; press < kPresses; ++press) {
        const bool waitsForLock = press == 9 || press == 19 || press == kPresses - 1;
        const Transponder& tp = press == 9 ? kTenth
            : press == 19                  ? kTwentieth
            : press == kPresses - 1        ? kLast
                                           : kCycle[press % std::size(kCycle)];
        script += UiScriptText()
                      .Text(IDC_FREQUENCY_EDIT, std::to_string(tp.frequencyMhz))
                      .Text(IDC_SYMBOLRATE_EDIT, std::to_string(tp.symbolRate))
                      .Select(IDC_POLARITY, tp.polarity)
                      .Click(IDOK);
        expected.push_back(static_cast<std::uint64_t>(tp.frequencyMhz) * 1000);
        // Most presses follow each other at once, every third after a short
        // pause; three times the user waits until the monitor shows the lock.
        if (press % 3 == 1) script += UiScriptText().Wait(40);
        if (waitsForLock) script += UiScriptText().WaitText(IDC_IF, 10000, std::to_string(tp.intermediateKhz));
    }
    script += UiScriptText().WaitText(IDC_LOCK_STATUS, 10000, "LOCKED").Dump(IDC_IF).Dump(IDC_LOCK_STATUS).Close();

    const ProgramOutput run = RunProgram(script, {.program = folder.Program()});
    EXPECT_TRUE(EndedCleanly(run));
    EXPECT_EQ(std::string::npos, run.transcript.find("msgbox")) << run.transcript;
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"open 130 \"Tuner Setting\"", "end 102 CANCEL", "done"}));
    EXPECT_EQ(expected, JournalNumbers(run.journal, "tune freq="));
    // The monitor's last reading: locked, on the last transponder's
    // intermediate frequency.
    EXPECT_TRUE(
        HasLinesInOrder(run.transcript,
                        {"control 1051 edit \"" + std::to_string(kLast.intermediateKhz) + "\" enabled=1 visible=1",
                         "control 1032 edit \"LOCKED\" enabled=0 visible=1", "done"}));
}

} // namespace
