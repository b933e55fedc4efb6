// The Motor/Positioner page as the user drives it: what each button puts on
// the driver's property sets (read back from the journal) on both device
// kinds, the messages it shows, the city and satellite lists, and the texts it
// keeps for the next time its window is made.
#include "positioner/CPositionDlg.h"

#include "process/ProgramDirectory.h"
#include "graph/KsControl.h"
#include "graph/TunerGraph.h"
#include "platform/com/WideText.h"
#include "platform/files/WinPath.h"
#include "tests/positioner/PositionerPageRig.h"
#include "tests/support/UiScriptText.h"

#include <cstdio>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kOk = "0x00000000";
constexpr const char* kFalse = "0x00000001";
constexpr const char* kFail = "0x80004005";
constexpr const char* kNotFound = "0x80070490";

// The 11-byte record of the BDA extension set: the message, zeros, its length.
Bytes BdaRecord(const Bytes& message)
{
    Bytes record(11, 0);
    std::copy(message.begin(), message.end(), record.begin());
    record[10] = static_cast<std::uint8_t>(message.size());
    return record;
}

// What one DiSEqC set carried: "BDA 0 inst=RECORD value=RECORD" with the
// 11-byte record, or "CTRL 3 inst=- value[21..]=BYTES" with as many bytes of
// the 288-byte tuning block from byte 21 on as the message has.
std::string Carried(const KsSetLine& set, std::size_t messageLength)
{
    if (set.set == "CTRL") {
        if (set.value.size() != 288) return "CTRL block of " + std::to_string(set.value.size()) + " bytes";
        const Bytes message(set.value.begin() + 21, set.value.begin() + 21 + static_cast<long>(messageLength));
        return "CTRL " + std::to_string(set.id) + " inst=" + (set.instance.empty() ? "-" : Hex(set.instance)) +
            " value[21..]=" + Hex(message);
    }
    return set.set + " " + std::to_string(set.id) + " inst=" + Hex(set.instance) + " value=" + Hex(set.value);
}

std::string Expected(sim::TunerKind kind, const Bytes& message)
{
    if (kind == sim::TunerKind::Usb) return "CTRL 3 inst=- value[21..]=" + Hex(message);
    const std::string record = Hex(BdaRecord(message));
    return "BDA 0 inst=" + record + " value=" + record;
}

class CPositionDlgTest : public PositionerPageRig {};

TEST_F(CPositionDlgTest, MotorButtonsSendTheirMessageTwiceOnBothDeviceKinds)
{
    struct Case {
        const char* name;
        std::string script;
        Bytes message; // with framing 0xE1; the second message has 0xE0
    };
    const Case cases[] = {
        {"Step East", UiScriptText().Click(IDC_STEP_EAST), {0xE1, 0x31, 0x68, 0xFF}},
        {"Step West", UiScriptText().Click(IDC_STEP_WEST), {0xE1, 0x31, 0x69, 0xFF}},
        {"Drive East", UiScriptText().Click(IDC_DRIVE_EAST), {0xE1, 0x31, 0x68, 0x50}},
        {"Drive West", UiScriptText().Click(IDC_DRIVE_WEST), {0xE1, 0x31, 0x69, 0x50}},
        {"Stop", UiScriptText().Click(IDC_STOP), {0xE1, 0x31, 0x60}},
        {"East limit", UiScriptText().Click(IDC_LIMIT_EAST), {0xE1, 0x31, 0x66}},
        {"West limit", UiScriptText().Click(IDC_LIMIT_WEST), {0xE1, 0x31, 0x67}},
        {"Reset limits", UiScriptText().Click(IDC_LIMITS_OFF), {0xE1, 0x31, 0x63}},
        {"Goto position 12", UiScriptText().Text(IDC_POSITION, "12").Click(IDC_GOTO), {0xE1, 0x31, 0x6B, 0x0C}},
        {"Goto position 300 wraps", UiScriptText().Text(IDC_POSITION, "300").Click(IDC_GOTO), {0xE1, 0x31, 0x6B, 0x2C}},
        {"Goto position -1", UiScriptText().Text(IDC_POSITION, "-1").Click(IDC_GOTO), {0xE1, 0x31, 0x6B, 0xFF}},
        {"Store with an empty box", UiScriptText().Text(IDC_POSITION, "").Click(IDC_STORE), {0xE1, 0x31, 0x6A, 0x00}},
        {"Store with text that is no number",
         UiScriptText().Text(IDC_POSITION, "north").Click(IDC_STORE),
         {0xE1, 0x31, 0x6A, 0x00}},
    };
    for (const sim::TunerKind kind : {sim::TunerKind::Pcie, sim::TunerKind::Usb}) {
        AttachTuner(kind);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind == sim::TunerKind::Usb ? "USB box: " : "PCI-E card: ") + c.name);
            Run(c.script);
            Bytes second = c.message;
            second[0] = 0xE0;
            const std::vector<std::string> expected = {Expected(kind, c.message), Expected(kind, second)};
            std::vector<std::string> carried;
            for (const KsSetLine& set : KsSets()) {
                carried.push_back(Carried(set, c.message.size()));
                EXPECT_EQ(kOk, set.result);
            }
            EXPECT_EQ(carried, expected);
            EXPECT_TRUE(Boxes().empty());
        }
    }
}

TEST_F(CPositionDlgTest, EachPathAsksWhatItMustAndReportsWhatItMust)
{
    using sim::PropertyMode;
    using sim::PropertySet;
    struct Case {
        const char* name;
        sim::TunerKind kind;
        PropertySet set;
        ULONG id;
        PropertyMode mode;
        std::vector<std::string> calls; // the "ks" lines of one Stop button
        std::vector<std::string> boxes;
    };
    const std::string bdaStop1 = Hex(BdaRecord({0xE1, 0x31, 0x60}));
    const std::string bdaStop0 = Hex(BdaRecord({0xE0, 0x31, 0x60}));
    const std::string warning = "app exclamation: SendDiseqCommandN71 QueryInterface Failed";
    const Case cases[] = {
        {"PCI-E card: the record goes without a support query",
         sim::TunerKind::Pcie,
         PropertySet::Bda,
         0,
         PropertyMode::Supported,
         {std::string("ks query CTRL 1 -> ") + kNotFound,
          "ks set BDA 0 inst=" + bdaStop1 + " value=" + bdaStop1 + " -> " + kOk,
          std::string("ks query CTRL 1 -> ") + kNotFound,
          "ks set BDA 0 inst=" + bdaStop0 + " value=" + bdaStop0 + " -> " + kOk},
         {}},
        {"PCI-E card: each failed message is reported",
         sim::TunerKind::Pcie,
         PropertySet::Bda,
         0,
         PropertyMode::Fail,
         {std::string("ks query CTRL 1 -> ") + kNotFound,
          "ks set BDA 0 inst=" + bdaStop1 + " value=" + bdaStop1 + " -> " + kFail,
          std::string("ks query CTRL 1 -> ") + kNotFound,
          "ks set BDA 0 inst=" + bdaStop0 + " value=" + bdaStop0 + " -> " + kFail},
         {warning, warning}},
        {"PCI-E card: a positive success code counts as failed",
         sim::TunerKind::Pcie,
         PropertySet::Bda,
         0,
         PropertyMode::Positive,
         {std::string("ks query CTRL 1 -> ") + kNotFound,
          "ks set BDA 0 inst=" + bdaStop1 + " value=" + bdaStop1 + " -> " + kFalse,
          std::string("ks query CTRL 1 -> ") + kNotFound,
          "ks set BDA 0 inst=" + bdaStop0 + " value=" + bdaStop0 + " -> " + kFalse},
         {warning, warning}},
        {"USB box: unsupported DiSEqC sends nothing and says nothing",
         sim::TunerKind::Usb,
         PropertySet::Ctrl,
         3,
         PropertyMode::Unsupported,
         {std::string("ks query CTRL 1 -> ") + kOk, std::string("ks query CTRL 3 -> ") + kNotFound,
          std::string("ks query CTRL 1 -> ") + kOk, std::string("ks query CTRL 3 -> ") + kNotFound},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AttachTuner(c.kind, [&](sim::PropertyModes& modes) { modes.Set(c.set, c.id, c.mode); });
        Run(UiScriptText().Click(IDC_STOP));
        EXPECT_EQ(Journal("ks "), c.calls);
        EXPECT_EQ(Boxes(), c.boxes);
    }
}

TEST_F(CPositionDlgTest, UsbFailuresAreSilentAndNoInterfaceSendsNothing)
{
    AttachTuner(sim::TunerKind::Usb,
                [](sim::PropertyModes& modes) { modes.Set(sim::PropertySet::Ctrl, 3, sim::PropertyMode::Fail); });
    Run(UiScriptText().Click(IDC_STOP));
    const std::vector<KsSetLine> sets = KsSets();
    ASSERT_EQ(2u, sets.size());
    EXPECT_EQ(kFail, sets[0].result);
    EXPECT_TRUE(Boxes().empty());

    ReleaseKsCtrl(TunerGraph::Process());
    Run(UiScriptText()
            .Click(IDC_STOP)
            .Text(IDC_SATELLITE, "0192")
            .Text(IDC_LONGITUDE, "10.0")
            .Text(IDC_LATITUDE, "50.0")
            .Click(IDC_GO));
    EXPECT_TRUE(Journal("ks ").empty());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CPositionDlgTest, UsbTuningBlockKeepsWhatTheMessageDoesNotOverwrite)
{
    AttachTuner(sim::TunerKind::Usb);
    TuningBlock& block = TunerGraph::Process().tuningBlock;
    block.frequencyMhz = 11494;
    block.symbolRateKsps = 22000;
    block.header[0] = 1;
    block.header[2] = 2;
    block.diseqcPort = 3;

    // USALS from 10 E, 50 N to 19.2 E: E1 31 6E E0 A2; then the two Stop messages.
    Run(UiScriptText()
            .Text(IDC_SATELLITE, "0192")
            .Text(IDC_LONGITUDE, "10.0")
            .Text(IDC_LATITUDE, "50.0")
            .Click(IDC_GO)
            .Click(IDC_STOP));
    const std::vector<KsSetLine> sets = KsSets();
    ASSERT_EQ(3u, sets.size());
    const Bytes blocks[] = {sets[0].value, sets[1].value, sets[2].value};
    for (const Bytes& value : blocks) {
        ASSERT_EQ(288u, value.size());
        EXPECT_EQ(Bytes(value.begin(), value.begin() + 21),
                  (Bytes{0xE6, 0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x55, 0, 0, 0, 1, 0, 2, 3}))
            << "the tuning fields go out as the Tuner Setting page left them";
    }
    EXPECT_EQ(Bytes(blocks[0].begin() + 21, blocks[0].begin() + 26), (Bytes{0xE1, 0x31, 0x6E, 0xE0, 0xA2}));
    EXPECT_EQ(Bytes(blocks[1].begin() + 21, blocks[1].begin() + 26), (Bytes{0xE1, 0x31, 0x60, 0xE0, 0xA2}))
        << "a three-byte message leaves bytes 24 and 25 as the five-byte one wrote them";
    EXPECT_EQ(Bytes(blocks[2].begin() + 21, blocks[2].begin() + 26), (Bytes{0xE0, 0x31, 0x60, 0xE0, 0xA2}));
    EXPECT_EQ(Bytes(blocks[2].begin() + 26, blocks[2].end()), Bytes(288 - 26, 0));
}

TEST_F(CPositionDlgTest, GoSendsTheUsalsAngleOrShowsWhyNot)
{
    struct Case {
        const char* name;
        const char* satellite;
        const char* longitude;
        const char* latitude;
        Bytes message; // empty: nothing sent
        std::vector<std::string> boxes;
    };
    const std::string invalid = "Error stop: Longitude or Latitude error!";
    const std::string unreachable = "Error stop: Can not reach this satellite from your location!";
    const Case cases[] = {
        {"19.2 E from 10 E 50 N", "0192", "10.0", "50.0", {0xE1, 0x31, 0x6E, 0xE0, 0xA2}, {}},
        {"13.0 E from 10 E 50 N", "0130", "10.0", "50.0", {0xE1, 0x31, 0x6E, 0xE0, 0x33}, {}},
        {"30.0 W from 10 E 50 N", "3300", "10.0", "50.0", {0xE1, 0x31, 0x6E, 0xD2, 0xB6}, {}},
        {"southern site", "0192", "10.0", "-33.9", {0xE1, 0x31, 0x6E, 0xD0, 0xA6}, {}},
        {"site near the pole", "0192", "10.0", "89.0", {0xE1, 0x31, 0x6E, 0xE0, 0x92}, {}},
        {"46 degrees spread over both bytes", "0450", "0.0", "70.0", {0xE1, 0x31, 0x6E, 0xE2, 0xEA}, {}},
        {"satellite east of a northern site", "0935", "77.2", "28.6", {0xE1, 0x31, 0x6E, 0xE1, 0x2A}, {}},
        {"across the 180 meridian", "1830", "170.0", "10.0", {0xE1, 0x31, 0x6E, 0xE0, 0xF3}, {}},
        {"across the 180 meridian, mirrored", "1770", "-170.0", "10.0", {0xE1, 0x31, 0x6E, 0xD0, 0xF3}, {}},
        {"satellite on the site's meridian", "0100", "10.0", "50.0", {0xE1, 0x31, 0x6E, 0xE0, 0x00}, {}},
        {"longitude difference passes, angle beyond 65", "0740", "10.0", "50.0", {}, {unreachable}},
        {"longitude difference beyond 65", "0760", "10.0", "50.0", {}, {unreachable}},
        {"satellite code beyond the half turn", "5500", "10.0", "50.0", {}, {invalid}},
        {"latitude beyond 90", "0192", "10.0", "91.0", {}, {invalid}},
        {"longitude beyond 180", "0192", "-181.0", "50.0", {}, {invalid}},
        {"latitude 90 is valid", "0192", "10.0", "90.0", {0xE1, 0x31, 0x6E, 0xE0, 0x90}, {}},
        {"longitude 180 is valid but out of reach", "0192", "180.0", "50.0", {}, {unreachable}},
        {"code 1800 stays 180", "1800", "-179.0", "50.0", {0xE1, 0x31, 0x6E, 0xD0, 0x10}, {}},
        {"a listed entry's name is not read", "0192  Astra 1KR", "10.0", "50.0", {0xE1, 0x31, 0x6E, 0xE0, 0xA2}, {}},
        {"empty coordinates read as 0: east of an equatorial site", "0100", "", "", {0xE1, 0x31, 0x6E, 0xE0, 0xBB}, {}},
        {"west of an equatorial site turns west", "3500", "0", "0", {0xE1, 0x31, 0x6E, 0xD0, 0xBB}, {}},
        {"latitude not a number", "0192", "10.0", "nan", {}, {invalid}},
        {"longitude infinite", "0192", "inf", "50.0", {}, {invalid}},
        {"a trailing letter is ignored and keeps the sign",
         "0192",
         "10.0E",
         "50.0N",
         {0xE1, 0x31, 0x6E, 0xE0, 0xA2},
         {}},
        {"latitude beyond any number", "0192", "10.0", "1e400", {}, {invalid}},
        {"longitude beyond 64 bits", "0192", "-99999999999999999999999", "50.0", {}, {invalid}},
        {"satellite code in exponent form", "1e40  Junk", "10.0", "50.0", {}, {invalid}},
        {"coordinates too small to tell from 0", "0100", "1e-400", "-1e-400", {0xE1, 0x31, 0x6E, 0xE0, 0xBB}, {}},
    };
    AttachTuner(sim::TunerKind::Pcie);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Run(UiScriptText()
                .Text(IDC_SATELLITE, c.satellite)
                .Text(IDC_LONGITUDE, c.longitude)
                .Text(IDC_LATITUDE, c.latitude)
                .Click(IDC_GO));
        const std::vector<KsSetLine> sets = KsSets();
        if (c.message.empty()) {
            EXPECT_TRUE(sets.empty());
        } else {
            ASSERT_EQ(1u, sets.size()) << "sent once, with no repeat";
            EXPECT_EQ(Hex(sets[0].value), Hex(BdaRecord(c.message)));
        }
        EXPECT_EQ(Boxes(), c.boxes);
    }
}

TEST_F(CPositionDlgTest, CountryAndCityFillTheCoordinates)
{
    WriteCityList("France\tParis\t48.86\t2.35\r\n"
                  "France\tLyon\t45.76\t4.84\r\n"
                  "Chad\tN'Djamena\t12.11\t15.04\r\n"
                  "Chad\tAbeche\t13.83\t20.83\t(east)\r\n"
                  "Chad\tAbeche\t13.84\t20.84\r\n");
    const std::string transcript = Run(UiScriptText()
                                           .Dump(IDC_COUNTRY)
                                           .Dump(IDC_CITY)
                                           .Dump(IDC_LATITUDE)
                                           .Dump(IDC_LONGITUDE)
                                           .Pick(IDC_COUNTRY, "France")
                                           .Dump(IDC_CITY)
                                           .Dump(IDC_LATITUDE)
                                           .Dump(IDC_LONGITUDE)
                                           .Pick(IDC_CITY, "Lyon")
                                           .Dump(IDC_LATITUDE)
                                           .Dump(IDC_LONGITUDE)
                                           .Pick(IDC_COUNTRY, "Chad")
                                           .Dump(IDC_CITY)
                                           .Dump(IDC_LONGITUDE)
                                           .Pick(IDC_CITY, "Abeche")
                                           .Dump(IDC_LATITUDE)
                                           .Dump(IDC_LONGITUDE));
    EXPECT_EQ("open 102 \"Positioner host\"\n"
              "open 148 \"Motor/Positioner\"\n"
              // The first country is chosen and its cities listed, but the boxes
              // stay empty until the user chooses.
              "control 1092 combo \"Chad\" enabled=1 visible=1 sel=0 count=2\n"
              "item 1092 0 \"Chad\"\n"
              "item 1092 1 \"France\"\n"
              "control 1086 combo \"Abeche\" enabled=1 visible=1 sel=0 count=3\n"
              "item 1086 0 \"Abeche\"\n"
              "item 1086 1 \"Abeche\"\n"
              "item 1086 2 \"N'Djamena\"\n"
              "control 1068 edit \"\" enabled=1 visible=1\n"
              "control 1021 edit \"\" enabled=1 visible=1\n"
              // France: Lyon sorts first; the coordinates are the file's first line.
              "control 1086 combo \"Lyon\" enabled=1 visible=1 sel=0 count=2\n"
              "item 1086 0 \"Lyon\"\n"
              "item 1086 1 \"Paris\"\n"
              "control 1068 edit \"48.86\" enabled=1 visible=1\n"
              "control 1021 edit \"2.35\" enabled=1 visible=1\n"
              "control 1068 edit \"45.76\" enabled=1 visible=1\n"
              "control 1021 edit \"4.84\" enabled=1 visible=1\n"
              // A fourth tab stays in the longitude.
              "control 1086 combo \"Abeche\" enabled=1 visible=1 sel=0 count=3\n"
              "item 1086 0 \"Abeche\"\n"
              "item 1086 1 \"Abeche\"\n"
              "item 1086 2 \"N'Djamena\"\n"
              "control 1021 edit \"15.04\" enabled=1 visible=1\n"
              // The same city twice: the later line wins.
              "control 1068 edit \"13.84\" enabled=1 visible=1\n"
              "control 1021 edit \"20.84\" enabled=1 visible=1\n"
              "done\n"
              "end 102 CANCEL\n",
              transcript);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CPositionDlgTest, EachCountryIsListedOnceByItsWholeName)
{
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"Niger after Nigeria", "Nigeria\tLagos\t6.45\t3.40\nNiger\tNiamey\t13.51\t2.11\n", {"Niger", "Nigeria"}},
        {"Nigeria after Niger", "Niger\tNiamey\t13.51\t2.11\nNigeria\tLagos\t6.45\t3.40\n", {"Niger", "Nigeria"}},
        {"a second spelling in another case", "France\tParis\t1\t2\nfrance\tNice\t3\t4\n", {"France"}},
        {"a group split in two", "Chad\tA\t1\t2\nMali\tB\t3\t4\nChad\tC\t5\t6\n", {"Chad", "Mali"}},
        {"lines without a tab name no country", "\nChad\tA\t1\t2\n\n", {"Chad"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteCityList(c.file);
        std::vector<std::string> items;
        Run("", [&](CPositionDlg& page) {
            auto* country = static_cast<CComboBox*>(page.GetDlgItem(1092));
            for (int i = 0; i < country->GetCount(); ++i) {
                std::wstring text;
                country->GetLBText(i, text);
                items.push_back(ToUtf8(text));
            }
        });
        EXPECT_EQ(items, c.items);
    }
}

TEST_F(CPositionDlgTest, ThirtyThousandCountriesAreEachListedOnceInOrder)
{
    // Countries in a scrambled order, then every tenth again in capitals and
    // every seventh again as written: the box holds each first spelling once.
    constexpr int kCountries = 30000;
    const auto name = [](int i) {
        char text[16];
        std::snprintf(text, sizeof text, "Land %05d", (i * 7919) % kCountries);
        return std::string(text);
    };
    std::string file;
    for (int i = 0; i < kCountries; ++i) file += name(i) + "\tCity\t1\t2\n";
    for (int i = 0; i < kCountries; i += 10) file += "LAND" + name(i).substr(4) + "\tCity\t1\t2\n";
    for (int i = 0; i < kCountries; i += 7) file += name(i) + "\tTown\t1\t2\n";
    WriteCityList(file);
    int count = 0;
    std::vector<std::string> mismatches;
    Run("", [&](CPositionDlg& page) {
        auto* country = static_cast<CComboBox*>(page.GetDlgItem(1092));
        count = country->GetCount();
        for (int i = 0; i < count && mismatches.size() < 5; ++i) {
            std::wstring text;
            country->GetLBText(i, text);
            char expected[16];
            std::snprintf(expected, sizeof expected, "Land %05d", i);
            if (ToUtf8(text) != expected) mismatches.push_back(std::to_string(i) + ": " + ToUtf8(text));
        }
    });
    EXPECT_EQ(kCountries, count);
    EXPECT_TRUE(mismatches.empty()) << mismatches.front();
}

TEST_F(CPositionDlgTest, MissingCityListLeavesTheBoxesEmptyButGoWorks)
{
    AttachTuner(sim::TunerKind::Pcie);
    const std::string transcript = Run(UiScriptText()
                                           .Dump(IDC_COUNTRY)
                                           .Dump(IDC_CITY)
                                           .Text(IDC_SATELLITE, "0192")
                                           .Text(IDC_LONGITUDE, "10.0")
                                           .Text(IDC_LATITUDE, "50.0")
                                           .Click(IDC_GO));
    EXPECT_NE(std::string::npos,
              transcript.find("control 1092 combo \"\" enabled=1 visible=1 sel=-1 count=0\n"
                              "control 1086 combo \"\" enabled=1 visible=1 sel=-1 count=0\n"))
        << transcript;
    EXPECT_TRUE(Boxes().empty()) << "no message at initialisation";
    const std::vector<KsSetLine> sets = KsSets();
    ASSERT_EQ(1u, sets.size());
    EXPECT_EQ(Hex(sets[0].value), Hex(BdaRecord({0xE1, 0x31, 0x6E, 0xE0, 0xA2})));

    // A city chosen while the file is gone.
    WriteCityList("France\tParis\t48.86\t2.35\n");
    Run("", [&](CPositionDlg& page) {
        std::filesystem::remove(m_program / "CityList.txt");
        page.SetDlgItemText(1068, L"1.5");
        page.ShowCityPosition();
        EXPECT_EQ(L"1.5", page.GetDlgItem(1068)->GetWindowText()) << "the box keeps its text";
    });
    EXPECT_EQ(Boxes(), std::vector<std::string>{"app exclamation: open file error!"});
}

TEST_F(CPositionDlgTest, SatellitesAreListedInOrbitalOrderAndGoAimsAtTheChosenOne)
{
    AttachTuner(sim::TunerKind::Pcie);
    WriteSatellite("hispasat.ini", "3300", "Hispasat 30W-5");
    WriteSatellite("astra.ini", "0192", "Astra 1KR");
    WriteSatellite("hotbird.ini", "0130", "Hotbird 13E");
    const std::string transcript = Run(UiScriptText()
                                           .Dump(IDC_SATELLITE)
                                           .Select(IDC_SATELLITE, 2)
                                           .Text(IDC_LONGITUDE, "10.0")
                                           .Text(IDC_LATITUDE, "50.0")
                                           .Click(IDC_GO));
    EXPECT_NE(std::string::npos,
              transcript.find("control 1093 combo \"0130  Hotbird 13E\" enabled=1 visible=1 sel=0 "
                              "count=3\n"
                              "item 1093 0 \"0130  Hotbird 13E\"\n"
                              "item 1093 1 \"0192  Astra 1KR\"\n"
                              "item 1093 2 \"3300  Hispasat 30W-5\"\n"))
        << transcript;
    const std::vector<KsSetLine> sets = KsSets();
    ASSERT_EQ(1u, sets.size());
    EXPECT_EQ(Hex(sets[0].value), Hex(BdaRecord({0xE1, 0x31, 0x6E, 0xD2, 0xB6}))) << "30.0 W";
}

TEST_F(CPositionDlgTest, GoKeepsItsTextsForTheNextTimeThePageIsMade)
{
    WriteCityList("France\tParis\t48.86\t2.35\nFrance\tLyon\t45.76\t4.84\nGermany\tBerlin\t52.52\t13.40\n"
                  "Germany\tMunich\t48.14\t11.58\n");
    WriteSatellite("hotbird.ini", "0130", "Hotbird 13E");
    WriteSatellite("astra.ini", "0192", "Astra 1KR");
    WriteSatellite("hispasat.ini", "3300", "Hispasat 30W-5");

    Run(UiScriptText()
            .Pick(IDC_COUNTRY, "Germany")
            .Pick(IDC_CITY, "Munich")
            .Text(IDC_SATELLITE, "0192")
            .Text(IDC_LATITUDE, "48.1")
            .Click(IDC_GO));
    EXPECT_EQ(L"0192", m_page->m_strSatellite);
    EXPECT_EQ(L"Germany", m_page->m_strCountry);
    EXPECT_EQ(L"Munich", m_page->m_strCity);
    EXPECT_EQ(L"48.1", m_page->m_strLatitude);
    EXPECT_EQ(L"11.58", m_page->m_strLongitude);

    // Made again: the typed "0192" re-selects the entry it begins, the country
    // and city are chosen again, the coordinates are the kept texts.
    std::string transcript =
        Run(UiScriptText().Dump(IDC_SATELLITE).Dump(IDC_COUNTRY).Dump(IDC_CITY).Dump(IDC_LATITUDE).Dump(IDC_LONGITUDE));
    EXPECT_NE(std::string::npos, transcript.find("control 1093 combo \"0192  Astra 1KR\" enabled=1 visible=1 sel=1"))
        << transcript;
    EXPECT_NE(std::string::npos, transcript.find("control 1092 combo \"Germany\" enabled=1 visible=1 sel=1"))
        << transcript;
    EXPECT_NE(std::string::npos, transcript.find("control 1086 combo \"Munich\" enabled=1 visible=1 sel=1"))
        << transcript;
    EXPECT_NE(std::string::npos, transcript.find("control 1068 edit \"48.1\"")) << transcript;
    EXPECT_NE(std::string::npos, transcript.find("control 1021 edit \"11.58\"")) << transcript;

    // Kept texts that match no entry, or match ignoring case, from the second
    // entry round to the first.
    struct Case {
        const char* name;
        std::wstring kept;
        int selected;
    };
    const Case cases[] = {
        {"no entry begins with it", L"0420", 0},
        {"letters without regard to case", L"3300  HISPASAT", 2},
        {"the first entry is searched last", L"0", 1},
        {"empty", L"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_page->m_strSatellite = c.kept;
        int selected = -2;
        Run("", [&](CPositionDlg& page) { selected = static_cast<CComboBox*>(page.GetDlgItem(1093))->GetCurSel(); });
        EXPECT_EQ(c.selected, selected);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CPositionDlgTest, ShippedDataLoadsWithoutAMessage)
{
    programDirectory = WindowsPath(std::filesystem::path(KAVRO_DATA_DIR));
    std::size_t satelliteFiles = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(std::filesystem::path(KAVRO_DATA_DIR) / "Transponders")) {
        if (file.path().extension() == ".ini") ++satelliteFiles;
    }
    int countries = 0, cities = 0, satellites = 0;
    Run(UiScriptText().Select(IDC_COUNTRY, 1).Select(IDC_CITY, 1), [&](CPositionDlg& page) {
        countries = static_cast<CComboBox*>(page.GetDlgItem(1092))->GetCount();
        cities = static_cast<CComboBox*>(page.GetDlgItem(1086))->GetCount();
        satellites = static_cast<CComboBox*>(page.GetDlgItem(1093))->GetCount();
    });
    EXPECT_GT(countries, 50);
    EXPECT_GT(cities, 0);
    EXPECT_EQ(static_cast<int>(satelliteFiles), satellites);
    EXPECT_TRUE(Boxes().empty());
}

} // namespace
