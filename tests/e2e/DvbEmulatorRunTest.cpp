// The whole program on the DVB machine: its tuners are the emulated Linux DVB
// adapters of kavro-dvb-emulator (the embedded world's tuners behind device
// nodes and ioctls), named Kavro models by the devices file. What the
// program asks of the frontend is checked in the emulator's decoded ioctls;
// dvbv5-zap, run on the same emulation, is the peer it is checked against.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
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
};
const Model kPcie{"Kavro N71 DVBS/S2 Tuner", 0, "[adapter0/frontend0]"};
const Model kUsb{"Kavro U31 DVBS2 Tuner", 3, "[adapter3/frontend0]"};

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

std::string Tune(int port, int mhz, int polarisation, int ksps)
{
    return "select 1003 " + std::to_string(port) + "\ntext 1012 " + std::to_string(mhz) + "\ntext 1014 " +
        std::to_string(ksps) + "\nselect 1002 " + std::to_string(polarisation) + "\nclick 1\n";
}

const std::string kLnb = "text 1013 9750\ntext 1015 10600\ntext 1059 11700\n";

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
    std::string script = "dump 1022\nselect 1022 " + std::to_string(model.listIndex) + "\nclick 1\n" + kLnb;
    script += Tune(1, 10714, 0, 22000) + "wait-text 1051 10000 964000\nwait-text 1032 10000 LOCKED\n";
    script += Tune(1, 11778, 1, 30000) + "wait-text 1051 10000 1178000\nwait-text 1032 10000 LOCKED\n";
    script += Tune(2, 10719, 1, 27500) + "wait-text 1051 10000 969000\nwait-text 1032 10000 LOCKED\nclose\n";
    const DvbRun run = RunOnEmulator(script);
    EXPECT_EQ(0, run.program.exitCode) << run.program.errors;
    EXPECT_TRUE(HasLinesInOrder(run.program.transcript,
                                {"item 1022 0 \"Kavro N71 DVBS/S2 Tuner\"", "item 1022 1 \"Kavro N72 DVBS/S2 Tuner A\"",
                                 "item 1022 2 \"Kavro N72 DVBS/S2 Tuner B\"", "item 1022 3 \"Kavro U31 DVBS2 Tuner\"",
                                 "end 140 OK"}))
        << run.program.transcript;
    // Each wait for the IF and the lock was met.
    EXPECT_EQ(std::string::npos, run.program.transcript.find("\nerror ")) << run.program.transcript;
    const std::vector<std::string> commands = Commands(run.ioctls, model);
    auto tune = [](const char* rest) {
        return std::string("dvb FE_SET_PROPERTY DTV_CLEAR=0 DTV_DELIVERY_SYSTEM=6 ") + rest +
            " DTV_MODULATION=6 DTV_INNER_FEC=9 DTV_INVERSION=2 DTV_ROLLOFF=3 DTV_PILOT=2 DTV_STREAM_ID=4294967295"
            " DTV_SCRAMBLING_SEQUENCE_INDEX=0 DTV_TUNE=0";
    };
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
    const std::string script = "select 1022 " + std::to_string(model.listIndex) + "\nclick 1\n" + kLnb +
        Tune(1, 10744, 0, 22000) +
        "wait-text 1032 10000 LOCKED\nwait-text 1052 5000 22000000\n"
        "page 1\nclick 1034\ntext 1031 3\ntext 1030 c:\\rec.ts\nclick 1036\nwait 6000\nclose\n";
    const DvbRun run = RunOnEmulator(script);
    EXPECT_EQ(0, run.program.exitCode) << run.program.errors;
    const std::string file = run.program.FileOnC("rec.ts");
    ASSERT_GT(file.size(), 188u * 1000) << run.program.transcript << run.program.journal;
    EXPECT_EQ("", TransportStreamFault(file));
    EXPECT_EQ("mpegts\n", Ffprobe((run.program.DriveC() / "rec.ts").string()));
    EXPECT_EQ(std::string::npos, run.program.journal.find("capture overrun")) << run.program.journal;
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
    const std::string script = "select 1022 0\nclick 1\n" + kLnb + Tune(1, 10744, 0, 22000) +
        "wait-text 1032 10000 LOCKED\nwait-text 1052 5000 22000000\n"
        // A first short recording leaves the graph stopped, so the second one
        // runs the capture again and its delivered bytes count from that run.
        "page 1\ntext 1030 c:\\rec.ts\nclick 1036\nclick 1037\nclick 1034\ntext 1031 600\nclick 1036\nwait 15000\n";
    const DvbRun run = RunOnEmulator(script, world);
    EXPECT_EQ(0, run.program.exitCode) << run.program.errors;
    EXPECT_NE(std::string::npos, run.ioctls.find("dvb removed [adapter0/frontend0]")) << run.ioctls;
    const std::vector<std::uint64_t> gone = JournalNumbers(run.program.journal, "capture device gone bytes=");
    ASSERT_EQ(1u, gone.size()) << run.program.journal;
    const std::vector<std::uint64_t> runs = JournalNumbers(run.program.journal, "capture run bytes=");
    ASSERT_EQ(2u, runs.size()) << run.program.journal;
    const std::string file = run.program.FileOnC("rec.ts");
    EXPECT_GT(file.size(), 0u);
    EXPECT_EQ(gone[0] - runs[1], file.size());
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

    const DvbRun ours = RunOnEmulator("select 1022 0\nclick 1\n" + kLnb + Tune(1, 10714, 0, 22000) +
                                      "wait-text 1032 10000 LOCKED\nclose\n");
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
