// The Motor/Positioner page in the whole program: the site chosen from the
// shipped city list, a shipped satellite on the motorised dish's port, "Go",
// and the Tuner Setting page then locks a transponder of that satellite.
#include "tests/e2e/ProgramRun.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "positioner/CPositionDlg.h"
#include "app/MainWindowControls.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Augsburg, as the shipped city list has it; the fixed dish on port A looks
// elsewhere, the motorised dish on port C starts on the site's meridian.
const std::string kWorld = "[World]\nTuners=N71\nSite=48.3667,10.8833\nSky=" KAVRO_SKY_DIR "\n"
                           "[Tuner.N71]\nName=Kavro N71 DVBS/S2 Tuner\nKind=pcie\n"
                           "[Cable.Home]\nPortA=sat 0130\nPortC=motor\nDefault=A\nMotorAngle=0.0\n"
                           "MotorSpeed=10.0\n";

TEST(PositionerRun, GoTurnsTheDishToTheChosenSatelliteAndItsTransponderLocks)
{
    const ProgramOutput run = RunProgram(UiScriptText()
                                             .Click(IDOK)
                                             // 10744 H of 19.2 E on port C, so the switch puts the motor on the
                                             // cable; the dish still looks along the site's meridian.
                                             .Text(IDC_LNB_LOW, "9750")
                                             .Text(IDC_LNB_HIGH, "10600")
                                             .Text(IDC_LNB_SWITCH, "11700")
                                             .Text(IDC_FREQUENCY_EDIT, "10744")
                                             .Text(IDC_SYMBOLRATE_EDIT, "22000")
                                             .Select(IDC_POLARITY, 0)
                                             .Select(IDC_DISEQC, 3)
                                             .Click(IDOK)
                                             .Wait(1500)
                                             .Dump(IDC_LOCK_STATUS)
                                             .Page(2)
                                             .Pick(IDC_COUNTRY, "Germany")
                                             .Pick(IDC_CITY, "Augsburg")
                                             .Dump(IDC_LATITUDE)
                                             .Dump(IDC_LONGITUDE)
                                             .Pick(IDC_SATELLITE, "0192  Astra 1KR/1L/1M/1N")
                                             .Click(IDC_GO)
                                             .Wait(2500)
                                             .Page(0)
                                             .Click(IDOK)
                                             .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED"),
                                         {.world = kWorld});
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
