// Multistream work in the whole program: an input stream typed into the
// identifier box reaches the driver, and a driver that cannot describe the
// stream is reported once, not on every monitor cycle.
#include "tests/e2e/ProgramRun.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "app/MainWindowControls.h"
#include "app/CDeviceList.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Tuner B locked on the multistream transponder of Hotbird 13.0E (port B of the
// default world), which carries input streams 1 and 2 and outputs 1 at first.
const UiScriptText kLockMultistream = UiScriptText()
                                          .Select(IDC_DEVICE_LIST, 2)
                                          .Click(IDOK)
                                          .Text(IDC_LNB_LOW, "9750")
                                          .Text(IDC_LNB_HIGH, "10600")
                                          .Text(IDC_LNB_SWITCH, "11700")
                                          .Text(IDC_FREQUENCY_EDIT, "11919")
                                          .Text(IDC_SYMBOLRATE_EDIT, "27500")
                                          .Select(IDC_POLARITY, 1)
                                          .Select(IDC_DISEQC, 2)
                                          .Click(IDOK)
                                          .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED");

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(MultistreamRun, ATypedInputStreamIdentifierReachesTheDriver)
{
    // Page 2 shows no control 1000 or 1032 of its own, so IDC_APPLY is the main
    // window's "Apply". Stream 2 has never been reported: only typing reaches it.
    const ProgramOutput run = RunProgram(UiScriptText(kLockMultistream)
                                             .WaitText(IDC_INPUT_STREAM, 10000, "MULTIPLE_INPUT_STREAM")
                                             .Page(2)
                                             .Text(IDC_STREAM_ID_LIST, "2")
                                             .Click(IDC_APPLY)
                                             .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                             .Wait(2500)
                                             .Dump(IDC_STREAM_ID_LIST));
    EXPECT_EQ(0, run.exitCode) << run.transcript;
    // The 72-byte record with the identifier at offset 48, as instance data and value.
    std::string record;
    for (int i = 0; i < 72; ++i) record += std::string(i ? " " : "") + (i == 48 ? "02" : "00");
    EXPECT_NE(std::string::npos,
              run.journal.find("ks set BDA 14 inst=" + record + " value=" + record + " -> 0x00000000"))
        << run.journal;
    EXPECT_EQ(2u, JournalNumbers(run.journal, "tune freq=").size()) << "Apply tunes again";
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"item 1049 0 \"1\"", "item 1049 1 \"2\""})) << run.transcript;
    EXPECT_EQ(std::string::npos, run.transcript.find("msgbox")) << run.transcript;
}

TEST(MultistreamRun, ATypedIdentifierOutOfRangeIsRefusedBeforeTheDriver)
{
    const ProgramOutput run =
        RunProgram(UiScriptText(kLockMultistream).Page(2).Text(IDC_STREAM_ID_LIST, "300").Click(IDC_APPLY));
    EXPECT_EQ(0, run.exitCode) << run.transcript;
    EXPECT_TRUE(HasLinesInOrder(
        run.transcript,
        {"msgbox \"Kavro-TScap\" none \"The input stream identifier is a whole number from 0 to 255.\""}))
        << run.transcript;
    EXPECT_EQ(std::string::npos, run.journal.find("ks set BDA 14 ")) << run.journal;
}

TEST(MultistreamRun, ADriverWithoutMediaInformationRaisesItsBoxOnce)
{
    const std::string world = "[World]\nTuners=N71\n\n[Tuner.N71]\nName=Kavro N71 DVBS/S2 Tuner\nKind=pcie\n"
                              "Cable=Home\nBDA.12=unsupported\n\n[Cable.Home]\nLnb=9750,10600,11700\n"
                              "PortA=sat 0192\nDefault=A\n";
    // Several monitor cycles while locked, then a second tune.
    const std::string script = UiScriptText()
                                   .Select(IDC_DEVICE_LIST, 0)
                                   .Click(IDOK)
                                   .Text(IDC_LNB_LOW, "9750")
                                   .Text(IDC_LNB_HIGH, "10600")
                                   .Text(IDC_LNB_SWITCH, "11700")
                                   .Text(IDC_FREQUENCY_EDIT, "11836")
                                   .Text(IDC_SYMBOLRATE_EDIT, "27500")
                                   .Select(IDC_POLARITY, 0)
                                   .Select(IDC_DISEQC, 1)
                                   .Click(IDOK)
                                   .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                   .Wait(4000)
                                   .Click(IDOK)
                                   .Wait(3000);
    const ProgramOutput run = RunProgram(script, {.world = world});
    EXPECT_EQ(0, run.exitCode) << run.transcript;
    const std::string box = "msgbox \"error\" none \"666don't support this interface\"";
    EXPECT_EQ(2u, Count(run.transcript, box)) << "once after each tune, not every cycle:\n" << run.transcript;
    const std::vector<std::string> log = LogTexts(run.log);
    EXPECT_GE(std::count(log.begin(), log.end(), "666don't support this interface"), 5) << run.log;
}

} // namespace
