// What the comparison of the two builds' runs lets differ, and what it does not:
// each rule of RunNormalisation.cpp on the lines it is for, lines it must leave
// alone, and where SameLines says two runs part.
#include "tests/e2e/RunComparison.h"
#include "tests/e2e/RunNormalisation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> normalised;
};

TEST(RunNormalisation, TranscriptLinesThatMayDifferAreEvenedAndOthersKept)
{
    const Case cases[] = {
        {"strength and quality",
         "control 1035 edit \"80\" enabled=0 visible=1\ncontrol 1034 edit \"89\" enabled=0 visible=1\n",
         {"control 1035 edit \"N\" enabled=0 visible=1", "control 1034 edit \"N\" enabled=0 visible=1"}},
        // The capture page's 1035 is the recording's status, an enabled text.
        {"recording status",
         "control 1035 edit \"Record Stopped!\" enabled=1 visible=1\n",
         {"control 1035 edit \"Record Stopped!\" enabled=1 visible=1"}},
        {"a number typed into an enabled field",
         "control 1035 edit \"80\" enabled=1 visible=1\n",
         {"control 1035 edit \"80\" enabled=1 visible=1"}},
        {"progress",
         "control 1004 progress \"\" enabled=1 visible=1 pos=66 range=0..100\n",
         {"control 1004 progress \"\" enabled=1 visible=1 pos=N range=0..100"}},
        {"help file, Linux",
         "shell open \"z:\\\\tmp\\\\run-a\\\\L-box-recorder.chm\"\n",
         {"shell open \"PROGRAM-FOLDER\\\\L-box-recorder.chm\""}},
        {"help file, Windows",
         "shell open \"Z:\\\\tmp\\\\run-b\\\\L-box-recorder.chm\"\r\n",
         {"shell open \"PROGRAM-FOLDER\\\\L-box-recorder.chm\""}},
        {"other lines",
         "open 130 \"Tuner Setting\"\ncontrol 1032 edit \"LOCKED\" enabled=0 visible=1\ndone\n",
         {"open 130 \"Tuner Setting\"", "control 1032 edit \"LOCKED\" enabled=0 visible=1", "done"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.normalised, NormalisedTranscript(c.text));
    }
}

TEST(RunNormalisation, JournalLinesThatMayDifferAreEvenedOrDroppedAndOthersKept)
{
    const std::string poll = "ks query CTRL 1 -> 0x80070490\nks query BDA 12 -> 0x00000000\n"
                             "ks get BDA 12 inst=D8 E1 -> 0x00000000 value=D8 E1\n";
    const Case cases[] = {
        {"debug output",
         "sim world default\ndebug \"Kavro N71 DVBS/S2 Tuner\"\ngraph run\n",
         {"sim world default", "graph run"}},
        {"world file",
         "sim world \"/srv/run-a/world.ini\"\nsim world \"Z:\\\\tmp\\\\run-b\\\\world.ini\"\nsim world default\n",
         {"sim world \"WORLD\"", "sim world \"WORLD\"", "sim world default"}},
        {"sky folder",
         "sim sky \"/opt/kavro/Transponders\" satellites=190\nsim sky \"Z:\\\\data\" satellites=1\n",
         {"sim sky \"SKY\" satellites=190", "sim sky \"SKY\" satellites=1"}},
        {"delivered bytes",
         "capture run bytes=0\ncapture stop bytes=17271936\n",
         {"capture run bytes=N", "capture stop bytes=N"}},
        {"monitor polls",
         "graph run\n" + poll + poll + poll + "graph stop\n",
         {"graph run", "ks query CTRL 1 -> 0x80070490", "graph stop"}},
        // A query before another property is no poll, and what follows a poll stays.
        {"other queries",
         "ks query CTRL 1 -> 0x80070490\nks query BDA 13 -> 0x00000000\n"
         "ks query CTRL 1 -> 0x80070490\nks query BDA 12 -> 0x80070490\ncapture overrun 3\n",
         {"ks query CTRL 1 -> 0x80070490", "ks query BDA 13 -> 0x00000000", "ks query CTRL 1 -> 0x80070490",
          "capture overrun 3"}},
        {"the end",
         "graph remove \"Dest Filter\"\nexit live_objects=0\n",
         {"graph remove \"Dest Filter\"", "exit live_objects=0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.normalised, NormalisedJournal(c.text));
    }
}

TEST(RunNormalisation, LogLinesLoseOnlyTheirTimeHeaders)
{
    EXPECT_EQ((std::vector<std::string>{">> DeviceGetList", "BDA Device Name: [B]      (Tuner Type:1)"}),
              NormalisedLog("[12/08/26 17:19:07 : 24347620] >> DeviceGetList\r\n"
                            "[12/08/26 17:19:08 : 24347634] BDA Device Name: [B]      (Tuner Type:1)\r\n"));
}

TEST(RunComparison, SameLinesNamesTheFirstLineWhereTheRunsPart)
{
    const std::vector<std::string> linuxLines = {"open 140", "end 140 OK", "done"};
    EXPECT_TRUE(SameLines("transcript", linuxLines, linuxLines));

    const ::testing::AssertionResult changed =
        SameLines("transcript", linuxLines, {"open 140", "end 140 CANCEL", "done"});
    EXPECT_FALSE(changed);
    EXPECT_NE(std::string::npos, std::string(changed.message()).find("transcripts part at line 2"))
        << changed.message();
    EXPECT_NE(std::string::npos, std::string(changed.message()).find("> 2: end 140 CANCEL")) << changed.message();

    const ::testing::AssertionResult shorter = SameLines("journal", linuxLines, {"open 140", "end 140 OK"});
    EXPECT_FALSE(shorter);
    EXPECT_NE(std::string::npos, std::string(shorter.message()).find("> 3: (the end)")) << shorter.message();
}

} // namespace
