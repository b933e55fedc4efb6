// The Motor/Positioner page in the whole program: the site chosen from the
// shipped city list, a shipped satellite on the motorised dish's port, "Go",
// and the Tuner Setting page then locks a transponder of that satellite.
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/Scenarios.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PositionerRun, GoTurnsTheDishToTheChosenSatelliteAndItsTransponderLocks)
{
    const ProgramOutput run = RunProgram(PositionerScript(), {.world = PositionerWorld(KAVRO_SKY_DIR)});
    EXPECT_EQ(0, run.exitCode);
    const std::string& transcript = run.transcript;
    const std::string& journal = run.journal;

    EXPECT_TRUE(HasLinesInOrder(transcript,
                                {
                                    "control 1032 edit \"UNLOCKED\" enabled=0 visible=1",
                                    "open 148 \"Motor/Positioner\"",
                                    "control 1068 edit \"48.3667\" enabled=1 visible=1",
                                    "control 1021 edit \"10.8833\" enabled=1 visible=1",
                                    "done",
                                }));
    EXPECT_EQ(std::string::npos, transcript.find("\nerror ")) << transcript;
    EXPECT_EQ(std::string::npos, transcript.find("\nmsgbox ")) << transcript;
    // 19.2 E seen from Augsburg: 9.16 degrees east, sent once as 9 and 2/16.
    const std::string usals = "E1 31 6E E0 92 00 00 00 00 00 05";
    EXPECT_NE(std::string::npos, journal.find("ks set BDA 0 inst=" + usals + " value=" + usals + " -> 0x00000000"))
        << journal;
    EXPECT_EQ("exit live_objects=0", run.LastJournalLine());
}

} // namespace
