// The Tuner Setting page against simulated PCI-E and USB tuners, driven by UI
// scripts: what "Lock TP" sends and in which order, the committed switch byte,
// the keys, the settings file, the output stream type, the scrambling code and
// the MODCOD list, as the journal and the transcript show them.
#include "tests/tuner/TunerPageRig.h"

#include "process/ChosenDevice.h"
#include "graph/DriverPayloads.h"
#include "graph/TunerGraph.h"
#include "platform/com/Journal.h"
#include "tuner/ModcodSet.h"
#include "tests/support/TestComObject.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "tuner/CModeDlg.h"
#include "platform/ui/WinUser.h"

#include <array>
#include <atomic>
#include <optional>

namespace {

// The suite keeps the name its tests have always had.
using TunerPageTest = TunerPageRig;

const std::vector<std::string> kDriverAndGraph = {"ks ", "tune ", "graph run", "graph stop"};

// Types a whole transponder into the page.
UiScriptText TypeTransponder(const std::string& freq, const std::string& lnbSwitch, int polarity, int diseqc)
{
    UiScriptText script;
    script.Text(IDC_LNB_LOW, "9750")
        .Text(IDC_LNB_HIGH, "10600")
        .Text(IDC_LNB_SWITCH, lnbSwitch)
        .Text(IDC_FREQUENCY_EDIT, freq)
        .Text(IDC_SYMBOLRATE_EDIT, "27500")
        .Select(IDC_POLARITY, polarity)
        .Select(IDC_DISEQC, diseqc);
    return script;
}

// The check box of the Select Mode Code dialog labelled label.
int ModcodBoxOf(std::wstring_view label)
{
    for (const ModcodBox& box : ModcodBoxes()) {
        if (label == box.label) return box.boxId;
    }
    ADD_FAILURE() << "no MODCOD box of that label";
    return -1;
}

std::string BdaDiseqcSet(const std::string& bytes)
{
    const std::string hex = bytes + " 00 00 00 00 00 00 04";
    return "ks set BDA 0 inst=" + hex + " value=" + hex + " -> 0x00000000";
}

// The journal lines before the page's destroy began (its scrambling reset),
// without the device-kind probes that precede every driver operation.
std::vector<std::string> BeforeClose(const std::vector<std::string>& lines)
{
    std::vector<std::string> before;
    for (const std::string& line : lines) {
        if (line.rfind("ks query BDA 23", 0) == 0 || line.rfind("ks query CTRL 20", 0) == 0) break;
        if (line.rfind("ks query CTRL 1 ", 0) == 0) continue;
        before.push_back(line);
    }
    return before;
}

bool Contains(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

// Stands between the page and the driver and calls back once, at the first
// property call after it was put in place.
class FirstCallSpy final : public HeapTestComObject<IKsPropertySet> {
public:
    FirstCallSpy(ComPtr<IKsPropertySet> inner, std::function<void()> onFirst)
        : HeapTestComObject(1),
          m_inner(std::move(inner)),
          m_onFirst(std::move(onFirst))
    {}
    STDMETHODIMP Set(REFGUID set, DWORD id, LPVOID inst, DWORD instSize, LPVOID value, DWORD valueSize) override
    {
        Notice();
        return m_inner->Set(set, id, inst, instSize, value, valueSize);
    }
    STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID inst, DWORD instSize, LPVOID value, DWORD valueSize,
                     DWORD* returned) override
    {
        Notice();
        return m_inner->Get(set, id, inst, instSize, value, valueSize, returned);
    }
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override
    {
        Notice();
        return m_inner->QuerySupported(set, id, support);
    }

private:
    void Notice()
    {
        if (m_onFirst) std::exchange(m_onFirst, nullptr)();
    }
    ComPtr<IKsPropertySet> m_inner;
    std::function<void()> m_onFirst;
};

TEST_F(TunerPageTest, LockTpSavesFirstThenSwitchesTunesAndRunsTheGraph)
{
    InstallTuner("pcie");
    std::string settingsAtFirstCall;
    Run(TypeTransponder("12188", "11700", 1, 2).Click(IDOK), [&](TunerPageHost&) {
        NewJournal(kDriverAndGraph);
        ComPtr<IKsPropertySet>& held = TunerGraph::Process().m_pKsCtrl;
        ASSERT_TRUE(held);
        held.Attach(new FirstCallSpy(held, [&] { settingsAtFirstCall = SettingsText(); }));
    });

    EXPECT_NE(std::string::npos, settingsAtFirstCall.find("freq=12188")) << settingsAtFirstCall;
    EXPECT_NE(std::string::npos, settingsAtFirstCall.find("diseqc=2")) << settingsAtFirstCall;
    const std::vector<std::string> sent = BeforeClose(NewJournal(kDriverAndGraph));
    EXPECT_TRUE(HasInOrder(sent,
                           {
                               "ks query BDA 13 -> 0x00000000",
                               "ks get BDA 13 inst=01 00 -> 0x00000000 value=01 00",
                               "ks query BDA 0 -> 0x00000000",
                               BdaDiseqcSet("E0 10 38 F5"),
                               "tune freq=12188000 sr=27500 pol=2 lnb_low=9750000 lnb_high=10600000 "
                               "lnb_switch=11700000 -> 0x00000000",
                               "graph run",
                           }));
    EXPECT_FALSE(Contains(sent, "ks set BDA 13")) << "the stream type already matched";
}

TEST_F(TunerPageTest, CommittedSwitchFollowsPortPolarityAndBand)
{
    InstallTuner("pcie");
    struct Case {
        const char* name;
        std::string freq;
        int polarity;
        int diseqc;
        const char* bytes; // nullptr: no DiSEqC message
    };
    const Case cases[] = {
        {"port B vertical, one MHz above the switch: high band", "11701", 1, 2, "E0 10 38 F5"},
        {"port B vertical, at the switch frequency: low band", "11700", 1, 2, "E0 10 38 F4"},
        {"port C horizontal high band", "12000", 0, 3, "E0 10 38 FB"},
        {"port A vertical low band", "10700", 1, 1, "E0 10 38 F0"},
        {"port D horizontal low band", "10700", 0, 4, "E0 10 38 FE"},
        {"Diseqc NULL", "12000", 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Run(TypeTransponder(c.freq, "11700", c.polarity, c.diseqc).Click(IDOK),
            [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
        const std::vector<std::string> sent = BeforeClose(NewJournal(kDriverAndGraph));
        if (c.bytes) {
            EXPECT_TRUE(HasInOrder(sent, {BdaDiseqcSet(c.bytes)}));
        } else {
            EXPECT_FALSE(Contains(sent, "BDA 0 ")) << "no DiSEqC message at all";
        }
        EXPECT_TRUE(Contains(sent, "tune freq=" + c.freq + "000 "));
    }
}

TEST_F(TunerPageTest, EnterTunesAndEscapeDoesNothing)
{
    InstallTuner("pcie");
    const std::string escape =
        Run(TypeTransponder("12188", "11700", 0, 1).Focus(IDC_SYMBOLRATE_EDIT).Key("escape").Dump(IDC_SYMBOLRATE_EDIT),
            [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    EXPECT_TRUE(
        HasInOrder(Lines(escape), {"control 1014 edit \"27500\" enabled=1 visible=1", "done", "end 102 CANCEL"}));
    EXPECT_FALSE(Contains(BeforeClose(NewJournal(kDriverAndGraph)), "tune ")) << "Escape tunes nothing";

    Run(UiScriptText().Focus(IDC_FREQUENCY_EDIT).Key("enter"), [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    const std::vector<std::string> sent = BeforeClose(NewJournal(kDriverAndGraph));
    EXPECT_TRUE(HasInOrder(sent, {BdaDiseqcSet("E0 10 38 F3"), "graph run"}));
    EXPECT_EQ(1,
              std::count_if(sent.begin(), sent.end(), [](const std::string& l) { return l.rfind("tune ", 0) == 0; }));
}

TEST_F(TunerPageTest, FreshStartShowsDefaultsAndSavesThemOnClose)
{
    InstallTuner("pcie");
    const std::string transcript = Run(UiScriptText()
                                           .Dump(IDC_FREQUENCY_EDIT)
                                           .Dump(IDC_LNB_SWITCH)
                                           .Dump(IDC_POLARITY)
                                           .Dump(IDC_DISEQC)
                                           .Dump(IDC_GOLDCODE)
                                           .Dump(IDC_CODE_TYPE)
                                           .Dump(IDC_SEND));
    EXPECT_TRUE(HasInOrder(Lines(transcript),
                           {
                               "open 130 \"Tuner Setting\"",
                               "control 1012 edit \"\" enabled=1 visible=1",
                               "control 1059 edit \"\" enabled=1 visible=1",
                               "control 1002 combo \"Horizontal\" enabled=1 visible=1 sel=0 count=2",
                               "control 1003 combo \"Diseqc NULL\" enabled=1 visible=1 sel=0 count=5",
                               "control 1058 edit \"0\" enabled=1 visible=1",
                               "control 1009 combo \"Root Code\" enabled=1 visible=1 sel=0 count=2",
                               "control 1011 button \"Send\" enabled=1 visible=0 checked=0",
                           }));
    EXPECT_EQ("[Config]\r\npolarity=0\r\ndiseqc=0\r\ngoldcode=0\r\ngoldtype=0\r\nfreq=\r\nsymbol=\r\nlnblow=\r\n"
              "lnbhigh=\r\nlnbswitch=\r\n",
              SettingsText());
}

TEST_F(TunerPageTest, StoredValuesTheListsLackLeaveNoSelectionAndAreWrittenBackAsMinusOne)
{
    InstallTuner("pcie");
    WriteSettings("[Config]\npolarity=7\ndiseqc=-3\ngoldcode=12x\ngoldtype=1\nfreq=12 188\nsymbol=27500\n"
                  "lnblow=9750\nlnbhigh=10600\nlnbswitch=11700\n");
    const std::string transcript =
        Run(UiScriptText().Dump(IDC_POLARITY).Dump(IDC_DISEQC).Dump(IDC_GOLDCODE).Dump(IDC_CODE_TYPE).Click(IDOK),
            [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    EXPECT_TRUE(HasInOrder(Lines(transcript),
                           {
                               "control 1002 combo \"\" enabled=1 visible=1 sel=-1 count=2",
                               "control 1003 combo \"\" enabled=1 visible=1 sel=-1 count=5",
                               "control 1058 edit \"12\" enabled=1 visible=1",
                               "control 1009 combo \"Root Code\" enabled=1 visible=1 sel=0 count=2",
                           }));
    const std::vector<std::string> sent = BeforeClose(NewJournal(kDriverAndGraph));
    EXPECT_FALSE(Contains(sent, "BDA 0 ")) << "no port, no switch command";
    EXPECT_TRUE(Contains(sent, "tune freq=12000 sr=27500 pol=2 ")) << "no polarity counts as vertical";
    EXPECT_EQ("[Config]\npolarity=-1\ndiseqc=-1\ngoldcode=12\ngoldtype=1\nfreq=12 188\nsymbol=27500\nlnblow=9750\n"
              "lnbhigh=10600\nlnbswitch=11700\n",
              SettingsText());
}

TEST_F(TunerPageTest, CodeThatIsNoIntegerIsReportedAndKeepsItsValueWhileTheRestIsSaved)
{
    InstallTuner("pcie");
    WriteSettings("[Config]\ngoldcode=42\n");
    const std::string transcript =
        Run(UiScriptText().Text(IDC_FREQUENCY_EDIT, "11623").Text(IDC_GOLDCODE, "").Click(IDOK),
            [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    const std::string warning = "msgbox \"Kavro-TScap\" exclamation \"Please enter an integer.\"";
    EXPECT_TRUE(HasInOrder(Lines(transcript), {warning, warning, "done"})) << "both saves of Lock TP warn";
    EXPECT_TRUE(Contains(BeforeClose(NewJournal(kDriverAndGraph)), "tune freq=11623000 ")) << "tuning goes on";
    const std::string saved = SettingsText();
    EXPECT_NE(std::string::npos, saved.find("goldcode=42\n")) << saved;
    EXPECT_NE(std::string::npos, saved.find("freq=11623\n")) << saved;
}

TEST_F(TunerPageTest, GsChoiceReachesThePcieDriverOnlyWithLockTp)
{
    InstallTuner("pcie");
    Run(UiScriptText().Select(IDC_OUTPUT_STREAM, 1), [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    EXPECT_TRUE(BeforeClose(NewJournal(kDriverAndGraph)).empty()) << "choosing GS sends nothing";

    Run(UiScriptText().Select(IDC_OUTPUT_STREAM, 1).Then(TypeTransponder("12188", "11700", 0, 0)).Click(IDOK),
        [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    EXPECT_TRUE(HasInOrder(BeforeClose(NewJournal(kDriverAndGraph)),
                           {
                               "ks get BDA 13 inst=01 00 -> 0x00000000 value=01 00",
                               "graph stop",
                               "ks query BDA 13 -> 0x00000000",
                               "ks set BDA 13 inst=00 01 value=00 01 -> 0x00000000",
                               "tune freq=12188000 sr=27500 pol=1 lnb_low=9750000 lnb_high=10600000 "
                               "lnb_switch=11700000 -> 0x00000000",
                               "graph run",
                           }));

    const std::string transcript = Run(UiScriptText().Dump(IDC_OUTPUT_STREAM));
    EXPECT_TRUE(HasInOrder(Lines(transcript), {"control 1007 combo \"GS\" enabled=1 visible=1 sel=1 count=2"}))
        << "the list mirrors the driver at start";
}

TEST_F(TunerPageTest, MissingStreamTypePropertyIsReportedAndTuningGoesOn)
{
    InstallTuner("pcie", "BDA.13=unsupported\n");
    const std::string transcript =
        Run(TypeTransponder("12188", "11700", 1, 2).Click(IDOK), [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    EXPECT_TRUE(HasInOrder(Lines(transcript),
                           {
                               "msgbox \"error\" none \"333don't support this interface\"",
                               "msgbox \"error\" none \"111don't support this interface\"",
                               "msgbox \"error\" none \"222don't support this interface\"",
                               "done",
                           }));
    EXPECT_TRUE(
        HasInOrder(BeforeClose(NewJournal(kDriverAndGraph)), {"graph stop", BdaDiseqcSet("E0 10 38 F5"), "graph run"}));
}

TEST_F(TunerPageTest, UsbBoxShowsTsIgnoresStreamChangesAndSendsTheTuningBlock)
{
    InstallTuner("usb");
    const std::string transcript = Run(UiScriptText()
                                           .Dump(IDC_OUTPUT_STREAM)
                                           .Select(IDC_OUTPUT_STREAM, 1)
                                           .Then(TypeTransponder("11222", "11700", 0, 3))
                                           .Click(IDOK),
                                       [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    EXPECT_TRUE(HasInOrder(Lines(transcript), {"control 1007 combo \"TS\" enabled=1 visible=1 sel=0 count=2"}));
    const std::vector<std::string> sent = BeforeClose(NewJournal(kDriverAndGraph));
    EXPECT_FALSE(Contains(sent, "BDA 13")) << "the USB box has no stream type property";

    TuningBlock block{};
    block.frequencyMhz = 11222;
    block.lnbLowMhz = 9750;
    block.lnbHighMhz = 10600;
    block.symbolRateKsps = 27500;
    block.polarity = 0;
    block.header[0] = 1;
    block.header[2] = 2;
    block.diseqcPort = 3;
    const BYTE command[] = {0xE0, 0x10, 0x38, 0xFA};
    PutDiseqcBytes(block, command, sizeof(command));
    EXPECT_TRUE(
        HasInOrder(sent,
                   {"ks query CTRL 3 -> 0x00000000",
                    "ks set CTRL 3 inst=- value=" + Hex(&block, sizeof(block)) + " -> 0x00000000", "graph run"}));
}

std::string GoldCodeHex(LONG code, std::uint32_t type)
{
    const GoldCodeParams params = MakeGoldCodeParams(code, type);
    return Hex(&params, sizeof(params));
}

TEST_F(TunerPageTest, GoldCodeSetAndTheResetOnClose)
{
    InstallTuner("pcie");
    const std::string transcript =
        Run(UiScriptText().Text(IDC_GOLDCODE, "0").Select(IDC_CODE_TYPE, 1).Click(IDC_SET_PLSCODE),
            [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    EXPECT_TRUE(HasInOrder(Lines(transcript), {"msgbox \"Kavro-TScap\" none \"Successfully set the PLSCode.\""}));
    const std::string gold0 = GoldCodeHex(0, 1);
    const std::string root1 = GoldCodeHex(1, 0);
    EXPECT_TRUE(HasInOrder(NewJournal({"ks set BDA 23", "debug ", "graph stop"}),
                           {
                               "ks set BDA 23 inst=" + gold0 + " value=" + gold0 + " -> 0x00000000",
                               "ks set BDA 23 inst=" + root1 + " value=" + root1 + " -> 0x00000000",
                               "debug \"Successful set the GoldCode!\"",
                               "ks set BDA 23 inst=" + gold0 + " value=" + gold0 + " -> 0x00000000",
                               "debug \"Successful set the GoldCode!\"",
                               "graph stop",
                           }));
    EXPECT_NE(std::string::npos, SettingsText().find("goldtype=1"));
}

TEST_F(TunerPageTest, GraphReleaseHookRunsAfterTheResetAndBeforeTheGraphGoes)
{
    InstallTuner("pcie");
    bool heldDuringHook = false;
    Run("", [&](TunerPageHost& host) {
        host.m_page.SetGraphReleaseHook([&] {
            heldDuringHook = bool(TunerGraph::Process().m_pKsCtrl);
            JournalWrite("monitor joined");
        });
    });
    EXPECT_TRUE(heldDuringHook) << "the monitor may still use the interface until it has ended";
    std::vector<std::string> order = NewJournal({"ks set BDA 23", "monitor joined", "graph stop", "graph remove"});
    for (std::string& line : order) line = line.substr(0, line.find(line[0] == 'k' ? " inst" : " \""));
    EXPECT_TRUE(HasInOrder(order, {"ks set BDA 23", "ks set BDA 23", "monitor joined", "graph stop", "graph remove"}));
}

TEST_F(TunerPageTest, RefusedFirstResetGetsNoSecond)
{
    InstallTuner("pcie", "BDA.23=fail\n");
    Run("", [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
    const std::vector<std::string> closing = NewJournal({"ks set BDA 23", "debug "});
    ASSERT_EQ(2u, closing.size()) << testing::PrintToString(closing);
    EXPECT_NE(std::string::npos, closing[0].find("-> 0x80004005"));
    EXPECT_EQ("debug \"Set KSPROPERTY_BDA_GOLDCODE error\"", closing[1]);
}

TEST_F(TunerPageTest, SetShowsTheOutcomeForEachPropertySet)
{
    struct Case {
        const char* name;
        const char* kind;
        const char* keys;
        std::string box;
        const char* set; // the set and id the code goes out on, nullptr when it does not
    };
    const Case cases[] = {
        {"PCI-E", "pcie", "", "msgbox \"Kavro-TScap\" none \"Successfully set the PLSCode.\"", "ks set BDA 23"},
        {"PCI-E without the property", "pcie", "BDA.23=unsupported",
         "msgbox \"error\" none \"444don't support this interface\"", nullptr},
        {"PCI-E refusing it", "pcie", "BDA.23=fail",
         "msgbox \"Kavro-TScap\" none \"Failed set the PLSCode.please have a check whether you are using the latest "
         "driver\"",
         "ks set BDA 23"},
        {"USB", "usb", "", "msgbox \"Kavro-TScap\" none \"Successfully set the PLSCode.\"", "ks set CTRL 20"},
        {"USB without the property", "usb", "CTRL.20=unsupported",
         "msgbox \"error\" none \"don't support this interface\"", nullptr},
        {"USB answering S_FALSE succeeds", "usb", "CTRL.20=positive",
         "msgbox \"Kavro-TScap\" none \"Successfully set the PLSCode.\"", "ks set CTRL 20"},
    };
    const std::string code5 = " inst=" + GoldCodeHex(5, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallTuner(c.kind, c.keys);
        const std::string transcript = Run(UiScriptText().Text(IDC_GOLDCODE, "5").Click(IDC_SET_PLSCODE),
                                           [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
        EXPECT_TRUE(HasInOrder(Lines(transcript), {c.box, "done"}));
        const std::vector<std::string> sent = NewJournal({"ks set"});
        EXPECT_EQ(c.set != nullptr, c.set && Contains(sent, c.set + code5)) << testing::PrintToString(sent);
    }
}

TEST_F(TunerPageTest, ModeCodeDialogSendsTheChosenList)
{
    std::array<bool, kModcodCount> twoBoxes{};
    twoBoxes[3] = true;
    twoBoxes[11] = true;
    struct Case {
        const char* name;
        std::string clicks;
        std::optional<ModcodList> list; // nullopt: nothing sent
    };
    const Case cases[] = {
        {"nothing chosen", UiScriptText().Click(IDOK), BuildModcodList({})},
        {"QPSK_1/2 and 8PSK_3/5, clicked in reverse",
         UiScriptText().Click(ModcodBoxOf(L"8PSK_3/5")).Click(ModcodBoxOf(L"QPSK_1/2")).Click(IDOK),
         BuildModcodList(twoBoxes)},
        {"ALL with one box cleared again",
         UiScriptText().Click(IDC_MODCOD_ALL).Click(ModcodBoxOf(L"QPSK_1/4")).Click(IDOK), FullModcodList()},
        {"Cancel", UiScriptText().Click(ModcodBoxOf(L"QPSK_1/2")).Click(IDCANCEL), std::nullopt},
    };
    InstallTuner("pcie");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string transcript = Run(UiScriptText().Click(IDC_SET_MODCODES) + c.clicks,
                                           [&](TunerPageHost&) { NewJournal(kDriverAndGraph); });
        const std::vector<std::string> sent = BeforeClose(NewJournal(kDriverAndGraph));
        EXPECT_TRUE(HasInOrder(Lines(transcript), {"open 142 \"Select Mode Code\""}));
        if (!c.list) {
            EXPECT_TRUE(HasInOrder(Lines(transcript), {"end 142 CANCEL", "done"}));
            EXPECT_FALSE(Contains(sent, "BDA 24"));
            EXPECT_FALSE(Contains(Lines(transcript), "msgbox"));
            continue;
        }
        const std::string hex = Hex(&*c.list, sizeof(ModcodList));
        EXPECT_TRUE(HasInOrder(
            sent, {"ks query BDA 24 -> 0x00000000", "ks set BDA 24 inst=" + hex + " value=" + hex + " -> 0x00000000"}));
        EXPECT_TRUE(HasInOrder(Lines(transcript),
                               {"end 142 OK", "msgbox \"Kavro-TScap\" none \"Successfully set the Mode Codes..\""}));
    }
}

TEST_F(TunerPageTest, ModeCodeDialogStartsClearedAndAllTogglesEveryBox)
{
    InstallTuner("pcie");
    const std::string transcript = Run(UiScriptText()
                                           .Click(IDC_SET_MODCODES)
                                           .Click(ModcodBoxOf(L"QPSK_1/2"))
                                           .Click(IDCANCEL)
                                           .Click(IDC_SET_MODCODES)
                                           .Dump(ModcodBoxOf(L"QPSK_1/2"))
                                           .Click(IDC_MODCOD_ALL)
                                           .Dump(ModcodBoxOf(L"QPSK_1/4"))
                                           .Dump(ModcodBoxOf(L"32APSK_9/10"))
                                           .Click(IDC_MODCOD_ALL)
                                           .Dump(ModcodBoxOf(L"8PSK_5/6"))
                                           .Click(IDCANCEL));
    EXPECT_TRUE(HasInOrder(Lines(transcript),
                           {
                               "end 142 CANCEL",
                               "control 1070 check \"QPSK_1/2\" enabled=1 visible=1 checked=0",
                               "control 1010 check \"QPSK_1/4\" enabled=1 visible=1 checked=1",
                               "control 1095 check \"32APSK_9/10\" enabled=1 visible=1 checked=1",
                               "control 1082 check \"8PSK_5/6\" enabled=1 visible=1 checked=0",
                               "end 142 CANCEL",
                           }));
}

TEST_F(TunerPageTest, UnsupportedModelIsRefusedAndTheProgramQuits)
{
    InstallTuner("pcie");
    deviceName = L"Some Other DVB-S Tuner";
    const std::string transcript = Run(UiScriptText().Dump(IDC_FREQUENCY_EDIT));
    EXPECT_TRUE(HasInOrder(Lines(transcript),
                           {"msgbox \"Kavro-TScap\" none \"This card is not support Recorder!\"", "end 102 -1"}));
}

} // namespace
