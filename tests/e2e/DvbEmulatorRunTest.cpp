// The whole program on the DVB machine: its tuners are the emulated Linux DVB
// adapters of kavro-dvb-emulator (the embedded world's tuners behind device
// nodes and ioctls), named Kavro models by the devices file. What the
// program asks of the frontend is checked in the emulator's decoded ioctls;
// dvbv5-zap, run on the same emulation, is the peer it is checked against.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "tuner/ModcodSet.h"
#include "record/CUtiVirtualDamonDlg.h"
#include "positioner/CPositionDlg.h"
#include "app/MainWindowControls.h"
#include "app/CDeviceList.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Every adapter of the embedded world given its model name.
const std::string kDevicesFile = "[adapter0/frontend0]\nName=Kavro N71 DVBS/S2 Tuner\n"
                                 "[adapter1/frontend0]\nName=Kavro N72 DVBS/S2 Tuner A\n"
                                 "[adapter2/frontend0]\nName=Kavro N72 DVBS/S2 Tuner B\n"
                                 "[adapter3/frontend0]\nName=Kavro U31 DVBS2 Tuner\n";

struct Model {
    const char* name;
    int listIndex;
    const char* adapter; // the journal's tag of its frontend
    // The program's box when the card has no MODCOD filter: each card kind
    // has its own.
    const char* noModcodBox;
    bool hasInputStream; // the card kind's property set offers it
};
const Model kPcie{"Kavro N71 DVBS/S2 Tuner", 0, "[adapter0/frontend0]",
                  "msgbox \"error\" none \"444don't support this interface\"", true};
const Model kUsb{"Kavro U31 DVBS2 Tuner", 3, "[adapter3/frontend0]",
                 "msgbox \"error\" none \"don't support this interface\"", false};

// Test names and failures name the model, not its bytes.
void PrintTo(const Model& model, std::ostream* out) { *out << model.name; }

// A world of the embedded world's four tuners (so the devices file names
// them alike), all behind one cable of the test's own.
std::string WorldWithCable(const std::string& world, const std::string& cable)
{
    return "[World]\nTuners=N71,N72A,N72B,U31\n" + world +
        "[Tuner.N71]\nName=Kavro N71 DVBS/S2 Tuner\nKind=pcie\nCable=Test\n"
        "[Tuner.N72A]\nName=Kavro N72 DVBS/S2 Tuner A\nKind=pcie\nCable=Test\n"
        "[Tuner.N72B]\nName=Kavro N72 DVBS/S2 Tuner B\nKind=pcie\nCable=Test\n"
        "[Tuner.U31]\nName=Kavro U31 DVBS2 Tuner\nKind=usb\nCable=Test\n"
        "[Cable.Test]\nLnb=9750,10600,11700\n" +
        cable;
}

struct DvbRun {
    ProgramOutput program;
    std::string ioctls; // the emulator's journal
};

DvbRun RunOnEmulator(const std::string& script, const std::string& world = "")
{
    OwnProgramFolder folder;
    TempDir::WriteFile(folder.Folder() / "KavroDevices.ini", kDevicesFile);
    TempDir scratch;
    std::string worldArg = "default";
    if (!world.empty()) {
        TempDir::WriteFile(scratch / "world.ini", world);
        worldArg = (scratch / "world.ini").string();
    }
    const std::string journal = (scratch / "ioctls.txt").string();
    DvbRun run;
    run.program = RunProgram(
        script,
        {.shellPrefix = "KAVRO_MACHINE=dvb '" KAVRO_DVB_EMULATOR "' --journal '" + journal + "' '" + worldArg + "' -- ",
         .program = folder.Program()});
    run.ioctls = TempDir::ReadFile(journal);
    return run;
}

// The lines of the emulator's journal for one frontend, its tag cut off,
// leaving out the monitor's polling.
std::vector<std::string> Commands(const std::string& ioctls, const Model& model)
{
    std::vector<std::string> lines;
    const std::string tag = std::string(" ") + model.adapter;
    for (const std::string& line : Lines(ioctls)) {
        if (line.size() < tag.size() || line.compare(line.size() - tag.size(), tag.size(), tag) != 0) continue;
        if (line.find("FE_READ_STATUS") != std::string::npos || line.find("FE_GET_PROPERTY") != std::string::npos) {
            continue;
        }
        lines.push_back(line.substr(0, line.size() - tag.size()));
    }
    return lines;
}

// A transponder typed on the tuner page and "Lock TP" pressed.
UiScriptText Tune(int port, int mhz, int polarisation, int ksps)
{
    return UiScriptText()
        .Select(IDC_DISEQC, port)
        .Text(IDC_FREQUENCY_EDIT, std::to_string(mhz))
        .Text(IDC_SYMBOLRATE_EDIT, std::to_string(ksps))
        .Select(IDC_POLARITY, polarisation)
        .Click(IDOK);
}

// The universal LNB.
const UiScriptText kLnb =
    UiScriptText().Text(IDC_LNB_LOW, "9750").Text(IDC_LNB_HIGH, "10600").Text(IDC_LNB_SWITCH, "11700");

// The model chosen in the device selection.
UiScriptText Select(const Model& model) { return UiScriptText().Select(IDC_DEVICE_LIST, model.listIndex).Click(IDOK); }

// The "Select Mode Code" box of one MODCOD (1..28).
int ModcodBoxOf(std::uint32_t modcod) { return ModcodBoxes()[modcod - 1].boxId; }

// The property list of one tune of the frontend: what it always carries,
// with the stream id and scrambling index given.
std::string TuneProperties(const std::string& frequencyAndRate, const std::string& streamId = "4294967295",
                           const std::string& gold = "0")
{
    return "dvb FE_SET_PROPERTY DTV_CLEAR=0 DTV_DELIVERY_SYSTEM=6 " + frequencyAndRate +
        " DTV_MODULATION=6 DTV_INNER_FEC=9 DTV_INVERSION=2 DTV_ROLLOFF=3 DTV_PILOT=2 DTV_STREAM_ID=" + streamId +
        " DTV_SCRAMBLING_SEQUENCE_INDEX=" + gold + " DTV_TUNE=0";
}

// The emulator's journal lines that start with prefix, in order.
std::vector<std::string> LinesStarting(const std::string& ioctls, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : Lines(ioctls)) {
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
}

std::string Ffprobe(const std::string& file)
{
    const std::string command = "ffprobe -v error -show_entries format=format_name -of csv=p=0 '" + file + "' 2>&1";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

class DvbModelRun : public ::testing::TestWithParam<Model> {};

// The list holds the four model names; Lock TP through port A in both bands
// and port B becomes the switch command, voltage, tone and IF the frontend
// gets, and each transponder locks.
TEST_P(DvbModelRun, LockTpThroughEachPortAndBand)
{
    const Model& model = GetParam();
    const std::string script = UiScriptText()
                                   .Dump(IDC_DEVICE_LIST)
                                   .Then(Select(model))
                                   .Then(kLnb)
                                   .Then(Tune(1, 10714, 0, 22000))
                                   .WaitText(IDC_IF, 10000, "964000")
                                   .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                   .Then(Tune(1, 11778, 1, 30000))
                                   .WaitText(IDC_IF, 10000, "1178000")
                                   .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                   .Then(Tune(2, 10719, 1, 27500))
                                   .WaitText(IDC_IF, 10000, "969000")
                                   .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                   .Close();
    const DvbRun run = RunOnEmulator(script);
    EXPECT_EQ(0, run.program.exitCode) << run.program.errors;
    EXPECT_TRUE(HasLinesInOrder(run.program.transcript,
                                {"item 1022 0 \"Kavro N71 DVBS/S2 Tuner\"", "item 1022 1 \"Kavro N72 DVBS/S2 Tuner A\"",
                                 "item 1022 2 \"Kavro N72 DVBS/S2 Tuner B\"", "item 1022 3 \"Kavro U31 DVBS2 Tuner\"",
                                 "end 140 OK"}))
        << run.program.transcript;
    // Each wait for the IF and the lock was met.
    EXPECT_EQ(std::string::npos, run.program.transcript.find("\nerror ")) << run.program.transcript;
    // The title and the log say the program runs on the DVB tuners.
    EXPECT_TRUE(HasLinesInOrder(
        run.program.transcript,
        {"title \"" + std::string(model.name) + " TS Recorder - Version:  3.0.0.8  - Linux DVB tuners\""}))
        << run.program.transcript;
    const std::vector<std::string> log = LogTexts(run.program.log);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("Machine: Linux DVB tuners (4 satellite frontends)", log[0]) << run.program.log;
    const std::vector<std::string> commands = Commands(run.ioctls, model);
    auto tune = [](const char* rest) { return TuneProperties(rest); };
    EXPECT_TRUE(HasInOrder(commands,
                           {
                               "dvb FE_DISEQC_SEND_MASTER_CMD E0 10 38 F2",
                               "dvb FE_SET_VOLTAGE 18",
                               "dvb FE_SET_TONE off",
                               tune("DTV_FREQUENCY=964000 DTV_SYMBOL_RATE=22000000"),
                               "dvb FE_DISEQC_SEND_MASTER_CMD E0 10 38 F1",
                               "dvb FE_SET_VOLTAGE 13",
                               "dvb FE_SET_TONE on",
                               tune("DTV_FREQUENCY=1178000 DTV_SYMBOL_RATE=30000000"),
                               "dvb FE_DISEQC_SEND_MASTER_CMD E0 10 38 F4",
                               "dvb FE_SET_VOLTAGE 13",
                               "dvb FE_SET_TONE off",
                               tune("DTV_FREQUENCY=969000 DTV_SYMBOL_RATE=27500000"),
                           }))
        << run.ioctls;
}

// Three seconds recorded in time mode: a whole transport stream with
// unbroken continuity that ffprobe reads, every delivered byte in the file.
TEST_P(DvbModelRun, RecordingInTimeModeIsAWholeTransportStream)
{
    const Model& model = GetParam();
    const std::string script = Select(model)
                                   .Then(kLnb)
                                   .Then(Tune(1, 10744, 0, 22000))
                                   .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                   .WaitText(IDC_SYMBOL_RATE, 5000, "22000000")
                                   .Page(1)
                                   .Click(IDC_USE_TIME_LIMIT)
                                   .Text(IDC_TIME_LIMIT, "3")
                                   .Text(IDC_RECORD_PATH, "c:\\rec.ts")
                                   .Click(IDC_START_RECORD)
                                   .Wait(6000)
                                   .Close();
    const DvbRun run = RunOnEmulator(script);
    EXPECT_EQ(0, run.program.exitCode) << run.program.errors;
    const std::string file = run.program.FileOnC("rec.ts");
    ASSERT_GT(file.size(), 188u * 1000) << run.program.transcript << run.program.journal;
    EXPECT_EQ("", TransportStreamFault(file));
    EXPECT_EQ("mpegts\n", Ffprobe((run.program.DriveC() / "rec.ts").string()));
    EXPECT_EQ(std::string::npos, run.program.journal.find("capture overrun")) << run.program.journal;
}

// Tuner B's port of the embedded world sees Hotbird 13.0E, whose 11919 V is
// DVB-S2 8PSK 2/3 carrying input streams 1 and 2.
const UiScriptText kLockMultistream =
    UiScriptText(kLnb).Then(Tune(2, 11919, 1, 27500)).WaitText(IDC_LOCK_STATUS, 10000, "LOCKED");

// The multistream transponder locks and the panel describes its stream from
// what the frontend reports (the symbol rate is the description's last text).
TEST_P(DvbModelRun, MultistreamTransponderLocksAndItsStreamIsDescribed)
{
    const Model& model = GetParam();
    const DvbRun run = RunOnEmulator(Select(model)
                                         .Then(kLockMultistream)
                                         .WaitText(IDC_SYMBOL_RATE, 10000, "27500000")
                                         .Dump(IDC_LOCK_STATUS)
                                         .Dump(IDC_IF)
                                         .Dump(IDC_SYMBOL_RATE)
                                         .Dump(IDC_STANDARD)
                                         .Dump(IDC_MODULATION)
                                         .Dump(IDC_FEC)
                                         .Dump(IDC_ROLL_OFF)
                                         .Dump(IDC_PILOTS)
                                         .Dump(IDC_SPECTRUM)
                                         .Dump(IDC_INPUT_STREAM)
                                         .Close());
    EXPECT_EQ(0, run.program.exitCode) << run.program.transcript;
    EXPECT_TRUE(HasLinesInOrder(run.program.transcript,
                                {
                                    "control 1032 edit \"LOCKED\" enabled=0 visible=1",
                                    "control 1051 edit \"1319000\" enabled=1 visible=1",
                                    "control 1052 edit \"27500000\" enabled=1 visible=1",
                                    "control 1053 edit \"DVB-S2\" enabled=1 visible=1",
                                    "control 1042 edit \"8PSK\" enabled=1 visible=1",
                                    "control 1048 edit \"2/3\" enabled=1 visible=1",
                                    "control 1047 edit \"0.35\" enabled=1 visible=1",
                                    "control 1056 edit \"Pilots Off\" enabled=1 visible=1",
                                    "control 1054 edit \"IQ_NORMAL\" enabled=1 visible=1",
                                    "control 1043 edit \"MULTIPLE_INPUT_STREAM\" enabled=1 visible=1",
                                }))
        << run.program.transcript;
    EXPECT_TRUE(HasInOrder(Commands(run.ioctls, model),
                           {"dvb FE_DISEQC_SEND_MASTER_CMD E0 10 38 F5",
                            TuneProperties("DTV_FREQUENCY=1319000 DTV_SYMBOL_RATE=27500000")}))
        << run.ioctls;
}

// Input stream 2, typed and applied: on the PCI-E card the frontend is tuned
// again with it as its stream id and stays locked; the USB card has no
// input stream property, on this machine as on the simulated one, and the
// program says so.
TEST_P(DvbModelRun, AChosenInputStreamReachesTheFrontendAsItsStreamId)
{
    const Model& model = GetParam();
    // Page 2 has no control of these ids of its own: the identifier box and
    // "Apply" are the main window's.
    const DvbRun run = RunOnEmulator(Select(model)
                                         .Then(kLockMultistream)
                                         .WaitText(IDC_INPUT_STREAM, 10000, "MULTIPLE_INPUT_STREAM")
                                         .Page(2)
                                         .Text(IDC_STREAM_ID_LIST, "2")
                                         .Click(IDC_APPLY)
                                         .Wait(2500)
                                         .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                         .Close());
    EXPECT_EQ(0, run.program.exitCode) << run.program.transcript;
    const std::vector<std::string> commands = Commands(run.ioctls, model);
    const std::string first = TuneProperties("DTV_FREQUENCY=1319000 DTV_SYMBOL_RATE=27500000");
    const std::string second = TuneProperties("DTV_FREQUENCY=1319000 DTV_SYMBOL_RATE=27500000", "2");
    if (model.hasInputStream) {
        EXPECT_EQ(std::string::npos, run.program.transcript.find("msgbox")) << run.program.transcript;
        EXPECT_TRUE(HasInOrder(commands, {first, second})) << run.ioctls;
    } else {
        EXPECT_TRUE(
            HasLinesInOrder(run.program.transcript, {"msgbox \"error\" none \"777don't support this interface\""}))
            << run.program.transcript;
        EXPECT_TRUE(HasInOrder(commands, {first})) << run.ioctls;
        EXPECT_FALSE(HasInOrder(commands, {second})) << run.ioctls;
    }
}

// A transponder of Eutelsat 5 West A scrambled with root code 16416 (gold
// 131070) locks only once that code is set: the frontend gets the gold index.
TEST_P(DvbModelRun, AScramblingCodeSetAsRootReachesTheFrontendAsGold)
{
    const Model& model = GetParam();
    const std::string world = WorldWithCable("", "PortA=sat 3550\nDefault=A\n");
    const DvbRun run = RunOnEmulator(Select(model)
                                         .Then(kLnb)
                                         .Then(Tune(1, 11012, 1, 30000))
                                         .Wait(3000)
                                         .Dump(IDC_LOCK_STATUS)
                                         .Text(IDC_GOLDCODE, "16416")
                                         .Select(IDC_CODE_TYPE, 0)
                                         .Click(IDC_SET_PLSCODE)
                                         .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                         .Close(),
                                     world);
    EXPECT_EQ(0, run.program.exitCode) << run.program.transcript;
    EXPECT_TRUE(HasLinesInOrder(run.program.transcript,
                                {"control 1032 edit \"UNLOCKED\" enabled=0 visible=1",
                                 "msgbox \"Kavro-TScap\" none \"Successfully set the PLSCode.\""}))
        << run.program.transcript;
    EXPECT_TRUE(HasInOrder(Commands(run.ioctls, model),
                           {TuneProperties("DTV_FREQUENCY=1262000 DTV_SYMBOL_RATE=30000000"),
                            TuneProperties("DTV_FREQUENCY=1262000 DTV_SYMBOL_RATE=30000000", "4294967295", "131070")}))
        << run.ioctls;
}

// Augsburg with a motorised dish on port C: one step east, goto the
// reference position and USALS to Astra 19.2E each reach the dish (the cable's
// own account follows each master command), and a 19.2E transponder then
// locks through port C.
const std::string kMotorWorld =
    WorldWithCable("Site=48.3667,10.8833\n", "PortA=sat 0130\nPortC=motor\nDefault=A\nMotorSpeed=10.0\n");

TEST_P(DvbModelRun, StepGotoAndUsalsTurnTheEmulatedDish)
{
    const Model& model = GetParam();
    const DvbRun run = RunOnEmulator(Select(model)
                                         .Then(kLnb)
                                         .Then(Tune(3, 10744, 0, 22000))
                                         .Wait(1500)
                                         .Page(2)
                                         .Click(IDC_STEP_EAST)
                                         .Wait(600)
                                         .Text(IDC_POSITION, "0")
                                         .Click(IDC_GOTO)
                                         .Wait(600)
                                         .Pick(IDC_COUNTRY, "Germany")
                                         .Pick(IDC_CITY, "Augsburg")
                                         .Pick(IDC_SATELLITE, "0192  Astra 1KR/1L/1M/1N")
                                         .Click(IDC_GO)
                                         .Wait(2500)
                                         .Page(0)
                                         .Click(IDOK)
                                         .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                         .Close(),
                                     kMotorWorld);
    EXPECT_EQ(0, run.program.exitCode) << run.program.transcript;
    EXPECT_EQ(std::string::npos, run.program.transcript.find("msgbox")) << run.program.transcript;
    EXPECT_EQ(std::string::npos, run.program.transcript.find("\nerror ")) << run.program.transcript;
    const std::string sent = "dvb FE_DISEQC_SEND_MASTER_CMD ";
    const std::string tag = std::string(" ") + model.adapter;
    EXPECT_TRUE(HasLinesInOrder(run.ioctls,
                                {
                                    sent + "E1 31 68 FF" + tag,
                                    "diseqc E1 31 68 FF -> motor drive east 1 step",
                                    sent + "E0 31 68 FF" + tag,
                                    "diseqc E0 31 68 FF -> ignored: second transmission",
                                    sent + "E1 31 6B 00" + tag,
                                    sent + "E1 31 6E E0 92" + tag,
                                }))
        << run.ioctls;
    const std::vector<std::string> motor = LinesStarting(run.ioctls, "diseqc E1 31 6");
    ASSERT_EQ(3u, motor.size()) << run.ioctls;
    EXPECT_EQ(0u, motor[1].rfind("diseqc E1 31 6B 00 -> motor goto ", 0)) << motor[1];
    EXPECT_NE(std::string::npos, motor[1].find("(reference)")) << motor[1];
    EXPECT_EQ(0u, motor[2].rfind("diseqc E1 31 6E E0 92 -> motor goto ", 0)) << motor[2];
}

// Locked through the motorised dish aimed at Astra 19.2E, the dish driven
// west: the frontend loses the signal and the panel shows it.
TEST_P(DvbModelRun, LosingLockShowsOnThePanel)
{
    const Model& model = GetParam();
    const std::string world =
        WorldWithCable("Site=48.3667,10.8833\n", "PortC=motor\nDefault=C\nMotorAngle=-9.125\nMotorSpeed=10.0\n");
    const DvbRun run = RunOnEmulator(Select(model)
                                         .Then(kLnb)
                                         .Then(Tune(3, 10744, 0, 22000))
                                         .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                         .Wait(1500)
                                         .Dump(IDC_QUALITY)
                                         .Page(2)
                                         .Click(IDC_DRIVE_WEST)
                                         .WaitText(IDC_LOCK_STATUS, 10000, "UNLOCKED")
                                         .Wait(1500)
                                         .Dump(IDC_LOCK_STATUS)
                                         .Dump(IDC_QUALITY)
                                         .Click(IDC_STOP)
                                         .Close(),
                                     world);
    EXPECT_EQ(0, run.program.exitCode) << run.program.transcript;
    const std::vector<std::string> quality = LinesStarting(run.program.transcript, "control 1034 ");
    ASSERT_EQ(2u, quality.size()) << run.program.transcript;
    EXPECT_NE("control 1034 edit \"0\" enabled=0 visible=1", quality[0]) << "locked, the quality shows";
    EXPECT_TRUE(HasLinesInOrder(
        run.program.transcript,
        {"control 1032 edit \"UNLOCKED\" enabled=0 visible=1", "control 1034 edit \"0\" enabled=0 visible=1"}))
        << run.program.transcript;
    EXPECT_NE(std::string::npos, run.ioctls.find("diseqc E1 31 69 50 -> motor drive west for 80 s")) << run.ioctls;
    std::vector<std::string> lock;
    for (const std::string& line : LinesStarting(run.program.journal, "dvb signal locked=")) {
        lock.push_back(line.substr(0, line.find(' ', sizeof "dvb signal")));
    }
    EXPECT_TRUE(HasInOrder(lock, {"dvb signal locked=1", "dvb signal locked=0"})) << run.program.journal;
}

// What the DVB API cannot do answers as an unsupported property: the MODCOD
// filter on either card, and on the PCI-E card the generic-stream output,
// each with the program's own message; the transponder still locks on TS.
TEST_P(DvbModelRun, ModcodFilterAndGenericStreamAreAnsweredAsUnsupported)
{
    const Model& model = GetParam();
    const bool pcie = model.listIndex != kUsb.listIndex;
    // QPSK 1/2 (MODCOD 4) chosen as the filter; the output switched to the
    // generic stream.
    const DvbRun run = RunOnEmulator(Select(model)
                                         .Click(IDC_SET_MODCODES)
                                         .Click(ModcodBoxOf(4))
                                         .Click(IDOK)
                                         .Select(IDC_OUTPUT_STREAM, 1)
                                         .Then(kLnb)
                                         .Then(Tune(1, 10744, 0, 22000))
                                         .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                         .Close());
    EXPECT_EQ(0, run.program.exitCode) << run.program.transcript;
    std::vector<std::string> boxes;
    for (const std::string& line : Lines(run.program.transcript)) {
        if (line.rfind("msgbox ", 0) == 0) boxes.push_back(line);
    }
    std::vector<std::string> expected = {model.noModcodBox};
    if (pcie) expected.push_back("msgbox \"Kavro-TScap\" exclamation \"Get KSPROPERTY_BDA_STREAMTYPE_PARAMS error\"");
    EXPECT_EQ(expected, boxes) << run.program.transcript;
    const std::string gsAnswer = "ks set BDA 13 inst=00 01 value=00 01 -> 0x80070490";
    EXPECT_EQ(pcie, run.program.journal.find(gsAnswer) != std::string::npos) << run.program.journal;
}

INSTANTIATE_TEST_SUITE_P(Models, DvbModelRun, ::testing::Values(kPcie, kUsb),
                         [](const auto& info) { return info.param.listIndex == 0 ? "Pcie" : "Usb"; });

// The adapter unplugged while a recording runs: the recording ends and the
// file keeps every byte the capture delivered.
TEST(DvbRun, TheFrontendDisappearingEndsTheRecordingWithEveryByteKept)
{
    const std::string world = "[World]\nTuners=N71\nDeviceRemovalAfter=5000\n"
                              "[Tuner.N71]\nName=Kavro N71 DVBS/S2 Tuner\nKind=pcie\n"
                              "[Cable.Home]\nLnb=9750,10600,11700\nPortA=sat 0192\nDefault=A\n";
    const std::string script = UiScriptText()
                                   .Select(IDC_DEVICE_LIST, 0)
                                   .Click(IDOK)
                                   .Then(kLnb)
                                   .Then(Tune(1, 10744, 0, 22000))
                                   .WaitText(IDC_LOCK_STATUS, 10000, "LOCKED")
                                   .WaitText(IDC_SYMBOL_RATE, 5000, "22000000")
                                   // A recording started and stopped first: stopping stops the
                                   // graph, so the capture's next run is the recording's.
                                   .Page(1)
                                   .Click(IDC_START_RECORD)
                                   .Click(IDC_CANCEL_RECORD)
                                   .Click(IDC_USE_TIME_LIMIT)
                                   .Text(IDC_TIME_LIMIT, "600")
                                   .Text(IDC_RECORD_PATH, "c:\\rec.ts")
                                   .Click(IDC_START_RECORD)
                                   .Wait(15000);
    const DvbRun run = RunOnEmulator(script, world);
    EXPECT_EQ(0, run.program.exitCode) << run.program.errors;
    EXPECT_NE(std::string::npos, run.ioctls.find("dvb removed [adapter0/frontend0]")) << run.ioctls;
    const std::vector<std::uint64_t> gone = JournalNumbers(run.program.journal, "capture device gone bytes=");
    ASSERT_EQ(1u, gone.size()) << run.program.journal;
    // The capture's count goes on across the graph's runs: the recording's
    // run began at the last "capture run" line, before the adapter went;
    // the file holds exactly what that run delivered.
    const std::vector<std::uint64_t> runs = JournalNumbers(run.program.journal, "capture run bytes=");
    ASSERT_GE(runs.size(), 2u) << run.program.journal;
    EXPECT_LT(run.program.journal.find("capture run bytes=" + std::to_string(runs.back())),
              run.program.journal.find("capture device gone bytes="))
        << run.program.journal;
    const std::string file = run.program.FileOnC("rec.ts");
    EXPECT_GT(file.size(), 0u);
    EXPECT_EQ(gone[0] - runs.back(), file.size()) << run.program.journal;
    EXPECT_EQ("", TransportStreamFault(file));
}

// The peer: dvbv5-zap, given a channel file, locks on the emulated adapter
// and records a stream ffprobe reads; the program tuning the same
// transponder gives the frontend the same IF, voltage, tone and switch bytes.
TEST(DvbRun, DvbZapAndTheProgramTuneTheSameTransponderAlike)
{
    TempDir dir;
    TempDir::WriteFile(dir / "channels.conf",
                       "[Astra 10714H]\n\tDELIVERY_SYSTEM = DVBS2\n\tFREQUENCY = 10714000\n"
                       "\tPOLARIZATION = HORIZONTAL\n\tSYMBOL_RATE = 22000000\n"
                       "\tINNER_FEC = AUTO\n\tMODULATION = PSK/8\n\tINVERSION = AUTO\n");
    const std::string zapJournal = (dir / "zap.txt").string();
    const std::string out = (dir / "zap.ts").string();
    const std::string command = std::string("'") + KAVRO_DVB_EMULATOR + "' --journal '" + zapJournal +
        "' default -- dvbv5-zap -a 0 -c '" + (dir / "channels.conf").string() + "' -l EXTENDED -S 0 -P -r -o '" + out +
        "' -t 2 'Astra 10714H' >'" + (dir / "zap-out.txt").string() + "' 2>&1";
    ASSERT_EQ(0, std::system(command.c_str())) << TempDir::ReadFile(dir / "zap-out.txt");
    EXPECT_NE(std::string::npos, TempDir::ReadFile(dir / "zap-out.txt").find("Lock"))
        << TempDir::ReadFile(dir / "zap-out.txt");
    EXPECT_EQ("mpegts\n", Ffprobe(out));
    EXPECT_GT(TempDir::ReadFile(out).size(), 188u * 1000);

    const DvbRun ours = RunOnEmulator(
        Select(kPcie).Then(kLnb).Then(Tune(1, 10714, 0, 22000)).WaitText(IDC_LOCK_STATUS, 10000, "LOCKED").Close());
    // What reaches the LNB cable and the tuner: switch bytes, voltage, last
    // tone, IF.
    auto essentials = [](const std::vector<std::string>& commands) {
        std::vector<std::string> seen(4);
        for (const std::string& line : commands) {
            if (line.rfind("dvb FE_DISEQC_SEND_MASTER_CMD ", 0) == 0) seen[0] = line;
            if (line == "dvb FE_SET_VOLTAGE 13" || line == "dvb FE_SET_VOLTAGE 18") seen[1] = line;
            if (line.rfind("dvb FE_SET_TONE ", 0) == 0) seen[2] = line;
            const std::size_t at = line.find("DTV_FREQUENCY=");
            if (line.rfind("dvb FE_SET_PROPERTY", 0) == 0 && at != std::string::npos) {
                seen[3] = line.substr(at, line.find(' ', at) - at);
            }
        }
        return seen;
    };
    const std::vector<std::string> zap = essentials(Commands(TempDir::ReadFile(zapJournal), kPcie));
    const std::vector<std::string> program = essentials(Commands(ours.ioctls, kPcie));
    EXPECT_EQ(zap, program);
    EXPECT_EQ("DTV_FREQUENCY=964000", program[3]);
    EXPECT_EQ("dvb FE_DISEQC_SEND_MASTER_CMD E0 10 38 F2", program[0]);
}

} // namespace
