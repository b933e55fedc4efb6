// The settings file across two runs of the whole program: what the first run's
// Tuner Setting page saved when it closed, the second run shows, and writes
// back unchanged. The program runs from a folder of its own, so the settings
// file beside it is this test's own.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A machine with the dual card's tuner B and fixed dishes on ports A and B.
const std::string kWorld = "[World]\nTuners=B\nSky=" KAVRO_SKY_DIR "\n"
                           "[Tuner.B]\nName=Kavro N72 DVBS/S2 Tuner B\nKind=pcie\n"
                           "[Cable.Home]\nPortA=sat 0192\nPortB=sat 0130\n";

class TunerSettingsRun : public testing::Test {
protected:
    std::string Settings() const { return TempDir::ReadFile(m_own.Folder() / "Kavro-TScap.ini"); }

    // Runs the program once with script; returns the transcript.
    std::string Run(const std::string& script)
    {
        const ProgramOutput run = RunProgram(script, {.world = kWorld, .program = m_own.Program()});
        EXPECT_EQ(0, run.exitCode);
        return run.transcript;
    }

    const OwnProgramFolder m_own;
};

TEST_F(TunerSettingsRun, SecondRunShowsWhatTheFirstSaved)
{
    Run(UiScriptText()
            .Click(IDOK)
            .Text(IDC_LNB_LOW, "9750")
            .Text(IDC_LNB_HIGH, "10600")
            .Text(IDC_LNB_SWITCH, "11700")
            .Text(IDC_FREQUENCY_EDIT, "11623")
            .Text(IDC_SYMBOLRATE_EDIT, "22000")
            .Select(IDC_POLARITY, 1)
            .Select(IDC_DISEQC, 2)
            .Text(IDC_GOLDCODE, "131070")
            .Select(IDC_CODE_TYPE, 1));
    const std::string first = Settings();
    EXPECT_EQ("[Config]\r\npolarity=1\r\ndiseqc=2\r\ngoldcode=131070\r\ngoldtype=1\r\nfreq=11623\r\nsymbol=22000\r\n"
              "lnblow=9750\r\nlnbhigh=10600\r\nlnbswitch=11700\r\n",
              first);

    const std::string transcript = Run(UiScriptText()
                                           .Click(IDOK)
                                           .Dump(IDC_FREQUENCY_EDIT)
                                           .Dump(IDC_SYMBOLRATE_EDIT)
                                           .Dump(IDC_LNB_LOW)
                                           .Dump(IDC_LNB_HIGH)
                                           .Dump(IDC_LNB_SWITCH)
                                           .Dump(IDC_POLARITY)
                                           .Dump(IDC_DISEQC)
                                           .Dump(IDC_GOLDCODE));
    for (const char* line : {
             "control 1012 edit \"11623\" enabled=1 visible=1",
             "control 1014 edit \"22000\" enabled=1 visible=1",
             "control 1013 edit \"9750\" enabled=1 visible=1",
             "control 1015 edit \"10600\" enabled=1 visible=1",
             "control 1059 edit \"11700\" enabled=1 visible=1",
             "control 1002 combo \"Vertical\" enabled=1 visible=1 sel=1 count=2",
             "control 1003 combo \"Diseqc B\" enabled=1 visible=1 sel=2 count=5",
             "control 1058 edit \"131070\" enabled=1 visible=1",
         }) {
        EXPECT_NE(std::string::npos, transcript.find(std::string(line) + "\n")) << line << "\nin:\n" << transcript;
    }
    EXPECT_EQ(first, Settings()) << "the second run writes back what it read";
}

} // namespace
