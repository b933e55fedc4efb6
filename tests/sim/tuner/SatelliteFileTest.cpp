#include "sim/tuner/SatelliteFile.h"

#include "sim/tuner/ScramblingCode.h"
#include "sim/tuner/Sky.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sim;

namespace {

TEST(SatelliteFile, TransponderLines)
{
    struct Case {
        const char* line;
        bool accepted;
        std::function<void(const Transponder&)> check;
    };
    const Case cases[] = {
        {"10714,H,22000,56", true,
         [](const Transponder& t) {
             EXPECT_EQ(t.frequencyMhz, 10714u);
             EXPECT_EQ(t.system, DeliverySystem::DvbS);
             EXPECT_EQ(t.modulation, Modulation::Qpsk);
             EXPECT_EQ(t.fec, CodeRate::R5_6);
         }},
        {" 11494 , v , 22000 , 910 , DVB-S2 , 32apsk ", true,
         [](const Transponder& t) {
             EXPECT_EQ(t.polarisation, Polarisation::Vertical);
             EXPECT_EQ(t.modulation, Modulation::Apsk32);
             EXPECT_EQ(t.fec, CodeRate::R9_10);
         }},
        {"12603,V,30000,34,S2,8PSK,isi=3;5;7,pls=root:16416,rolloff=0.25,frame=short,pilots=on,stream=gc,"
         "coding=acm,issyi=on,npd=on,inversion=on,services=A;B",
         true,
         [](const Transponder& t) {
             EXPECT_EQ(t.inputStreams, (std::vector<int>{3, 5, 7}));
             EXPECT_EQ(t.goldCode, RootToGold(16416));
             EXPECT_EQ(t.rollOff, RollOff::R025);
             EXPECT_TRUE(t.shortFrame && t.pilots && t.adaptiveCoding && t.issyi && t.npd && t.spectrumInverted);
             EXPECT_EQ(t.stream, StreamKind::GenericContinuous);
             EXPECT_EQ(t.services, (std::vector<std::string>{"A", "B"}));
         }},
        {"11000,L,27500,23,S2,QPSK,pls=gold:262142", true,
         [](const Transponder& t) { EXPECT_EQ(t.goldCode, 262142u); }},
        {"11000,H,27500", false, {}},
        {"11000,X,27500,34", false, {}},
        {"abc,H,27500,34", false, {}},
        {"99999999999,H,27500,34", false, {}},
        {"11000,H,0,34", false, {}},
        {"11000,H,27500,99", false, {}},
        {"11000,H,27500,34,DVB-T", false, {}},
        {"11000,H,27500,34,S2,64QAM", false, {}},
        {"11000,H,27500,12,S2,8PSK", false, {}},    // DVB-S2 has no 8PSK 1/2
        {"11000,H,27500,35,DVB-S,QPSK", false, {}}, // DVB-S has no 3/5
        {"11000,H,27500,910,S2,QPSK,frame=short", false, {}},
        {"11000,H,27500,34,S2,QPSK,isi=1;300", false, {}},
        {"11000,H,27500,34,S2,QPSK,pls=root:0", false, {}},
        {"11000,H,27500,34,S2,QPSK,pls=gold:262143", false, {}},
        {"11000,H,27500,34,S2,QPSK,rolloff=0.15", false, {}},
        {"11000,H,27500,34,S2,QPSK,colour=blue", false, {}},
        {"11000,H,27500,34,S2,QPSK,pilots", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto parsed = ParseTransponderLine(c.line);
        EXPECT_EQ(parsed.transponder.has_value(), c.accepted) << parsed.error;
        EXPECT_EQ(parsed.error.empty(), c.accepted);
        if (parsed.transponder && c.check) c.check(*parsed.transponder);
    }
}

TEST(SatelliteFile, BadLinesAreSkippedAndNamed)
{
    const auto parsed = ParseSatelliteFile(IniText("[SATTYPE]\n1=0130\n2=Hotbird\n[DVB]\n0=4\n"
                                                   "1=10719,V,27500,34\n2=garbage\n4=12000,H,27500,23,S2,8PSK\n"),
                                           "0130.ini");
    ASSERT_TRUE(parsed.satellite);
    EXPECT_EQ(parsed.satellite->positionCode, 130);
    EXPECT_EQ(parsed.satellite->name, "Hotbird");
    ASSERT_EQ(parsed.satellite->transponders.size(), 2u);
    EXPECT_EQ(parsed.satellite->transponders[1].line, 4);
    EXPECT_EQ(parsed.satellite->transponders[0].services, (std::vector<std::string>{"10719 V"}));
    EXPECT_EQ(parsed.warnings,
              (std::vector<std::string>{"0130.ini: [DVB] 2 skipped: fewer than four fields",
                                        "0130.ini: [DVB] 3 is missing"}));

    struct Case {
        const char* text;
        bool satellite;
    };
    for (const auto& c :
         {Case{"", false}, Case{"[SATTYPE]\n1=west\n", false}, Case{"[SATTYPE]\n1=3600\n", false},
          Case{"[SATTYPE]\n1=3300\n[DVB]\n0=-5\n", true}, Case{"[SATTYPE]\n1=3300\n[DVB]\n0=2000000000\n", true},
          Case{"\x01\x02[\xFF\n=\n[DVB\n0=1\n1=,,,,\n", false}}) {
        const auto result = ParseSatelliteFile(IniText(c.text), "x.ini");
        EXPECT_EQ(result.satellite.has_value(), c.satellite) << c.text;
        if (result.satellite) {
            EXPECT_TRUE(result.satellite->transponders.empty());
        }
    }
}

TEST(SatelliteFile, SkyReadsEveryIniFileOfAFolder)
{
    TempDir dir;
    TempDir::WriteFile(dir / "0192.ini", "[SATTYPE]\n1=0192\n2=Astra\n[DVB]\n0=1\n1=11494,H,22000,23,S2,8PSK\n");
    TempDir::WriteFile(dir / "3300.INI", "[SATTYPE]\n1=3300\n2=Hispasat\n");
    TempDir::WriteFile(dir / "notes.txt", "[SATTYPE]\n1=0100\n");
    TempDir::WriteFile(dir / "broken.ini", "no sections at all");
    std::vector<std::string> warnings;
    const Sky sky = Sky::Load(dir.path(), &warnings);
    ASSERT_EQ(sky.Satellites().size(), 2u);
    ASSERT_NE(sky.Find(192), nullptr);
    EXPECT_EQ(sky.Find(192)->transponders.size(), 1u);
    ASSERT_NE(sky.Find(3300), nullptr);
    EXPECT_DOUBLE_EQ(sky.Find(3300)->LongitudeDegrees(), -30.0);
    EXPECT_EQ(sky.Find(100), nullptr);
    EXPECT_EQ(warnings.size(), 2u); // broken.ini, and 3300.INI without [DVB]

    EXPECT_TRUE(Sky::Load(dir / "missing").Satellites().empty());
}

} // namespace
