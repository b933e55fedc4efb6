// "Lock TP" pressed again and again while the signal monitor polls: thirty
// presses over six transponders, some back to back, some a moment apart, a
// few waiting for the monitor to show the lock. Every press reaches the tuner
// in order, the program ends locked on the last transponder and closes clean.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/RunChecks.h"

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
    std::string script = "select 1022 1\nclick 1\ntext 1013 9750\ntext 1015 10600\ntext 1059 11700\nselect 1003 1\n";
    std::vector<std::uint64_t> expected;
    for (int press = 0; press < kPresses; ++press) {
        const bool waitsForLock = press == 9 || press == 19 || press == kPresses - 1;
        const Transponder& tp = press == 9 ? kTenth
            : press == 19                  ? kTwentieth
            : press == kPresses - 1        ? kLast
                                           : kCycle[press % std::size(kCycle)];
        script += "text 1012 " + std::to_string(tp.frequencyMhz) + "\ntext 1014 " + std::to_string(tp.symbolRate) +
            "\nselect 1002 " + std::to_string(tp.polarity) + "\nclick 1\n";
        expected.push_back(static_cast<std::uint64_t>(tp.frequencyMhz) * 1000);
        // Most presses follow each other at once, every third after a short
        // pause; three times the user waits until the monitor shows the lock.
        if (press % 3 == 1) script += "wait 40\n";
        if (waitsForLock) script += "wait-text 1051 10000 " + std::to_string(tp.intermediateKhz) + "\n";
    }
    script += "wait-text 1032 10000 LOCKED\ndump 1051\ndump 1032\nclose\n";

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
