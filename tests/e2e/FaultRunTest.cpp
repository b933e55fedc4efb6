// The whole program meeting faults a technician meets in the field: the disk
// fills up during a recording, the output path cannot be written, the window
// is closed or the tuner pulled out in the middle of work. In each the program
// tells what happened, keeps what was recorded and ends cleanly.
#include "tests/e2e/OwnProgramFolder.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/Scenarios.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiScriptText.h"
#include "tuner/CBdacontrolDlg.h"
#include "record/CUtiVirtualDamonDlg.h"
#include "positioner/CPositionDlg.h"
#include "app/MainWindowControls.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The field runs' machine (tests/e2e/Scenarios.h) on the shipped satellite files.
std::string World(const std::string& extra = "") { return FieldWorld(KAVRO_SKY_DIR, extra); }

const std::string kTune = FieldTuneScript();
const std::string kRecord = FieldRecordScript();

// Bytes the capture filter delivered during its n-th run (from 0), as the
// journal's run and stop lines count them.
std::uint64_t DeliveredInRun(const ProgramOutput& run, std::size_t n)
{
    const std::vector<std::uint64_t> runs = JournalNumbers(run.journal, "capture run bytes=");
    const std::vector<std::uint64_t> stops = JournalNumbers(run.journal, "capture stop bytes=");
    if (n >= runs.size() || n >= stops.size()) {
        ADD_FAILURE() << "no run " << n << " of the capture filter in:\n" << run.journal;
        return 0;
    }
    return stops[n] - runs[n];
}

void ExpectCleanEnd(const ProgramOutput& run)
{
    EXPECT_EQ(0, run.signal) << run.errors;
    EXPECT_EQ(0, run.exitCode) << run.errors;
    EXPECT_EQ("exit live_objects=0", run.LastJournalLine());
    EXPECT_EQ(std::string::npos, run.errors.find("Sanitizer")) << run.errors;
    EXPECT_EQ(std::string::npos, run.errors.find("runtime error")) << run.errors;
}

// A local absolute path as the program's Windows text: on drive z:, the Linux
// root, with its separators turned round.
std::string Backslashed(const std::filesystem::path& path)
{
    std::string text = "z:" + path.string();
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return text;
}

// The transcript's quoting of a text: backslashes and quotes escaped.
std::string Quoted(const std::string& text)
{
    std::string quoted;
    for (const char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted;
}

// A disk that fills during a recording, two ways. A file-size limit, which
// the shell counts in 512-byte blocks: the program ignores the signal the
// limit raises, so the write fails with "file too large". Or a real small disk:
// a memory file system of that many bytes mounted at c:\full in a mount
// namespace of the program's own, its file copied out when the program ends
// (the disk goes with the namespace). The recording reaches either in about a
// second.
struct FullDisk {
    const char* name;
    int blocks;
    bool smallDisk;
};

void PrintTo(const FullDisk& c, std::ostream* out) { *out << c.name; }

constexpr int kCannotMount = 77;

class FullDiskRun : public testing::TestWithParam<FullDisk> {
protected:
    // A program that runs the real one with a disk of `bytes` at c:\full and
    // copies c:\full\rec.ts to c:\copy.ts afterwards; kCannotMount when this
    // machine allows no such mount.
    std::filesystem::path SmallDiskProgram(std::uint64_t bytes)
    {
        const std::filesystem::path wrapper = m_dir / "with-small-disk";
        TempDir::WriteFile(wrapper,
                           "#!/bin/sh\nmkdir -p \"$KAVRO_DRIVE_C/full\"\n"
                           "unshare --mount --map-root-user true 2>/dev/null || exit " +
                               std::to_string(kCannotMount) +
                               "\n"
                               "exec unshare --mount --map-root-user sh -c 'mount -t tmpfs -o size=" +
                               std::to_string(bytes) + " tmpfs \"$KAVRO_DRIVE_C/full\" || exit " +
                               std::to_string(kCannotMount) +
                               "; \"$0\"; rc=$?; cp \"$KAVRO_DRIVE_C/full/rec.ts\" \"$KAVRO_DRIVE_C/copy.ts\";"
                               " exit $rc' '" KAVRO_PROGRAM "'\n");
        std::filesystem::permissions(wrapper, std::filesystem::perms::owner_all);
        return wrapper;
    }

    TempDir m_dir;
};

TEST_P(FullDiskRun, EndsTheRecordingWithItsCauseAndKeepsEveryWholePacket)
{
    const FullDisk& c = GetParam();
    const std::uint64_t limit = std::uint64_t{512} * static_cast<std::uint64_t>(c.blocks);
    const std::string path = c.smallDisk ? "c:\\full\\rec.ts" : "c:\\L-capture.ts";
    const std::string script = kTune +
        UiScriptText()
            .Page(1)
            .Text(IDC_RECORD_PATH, path)
            .Click(IDC_USE_TIME_LIMIT)
            .Text(IDC_TIME_LIMIT, "600")
            .Click(IDC_START_RECORD)
            .WaitText(IDC_RECORD_STATUS, 20000, "Record Stopped!")
            // The page is idle again and records anew.
            .Click(IDC_CANCEL_RECORD)
            .Text(IDC_RECORD_PATH, "c:\\second.ts")
            .Click(IDC_START_RECORD)
            .Click(IDC_CANCEL_RECORD)
            .Page(0)
            .Dump(IDC_LOCK_STATUS);
    ProgramRunOptions options{.world = World()};
    if (c.smallDisk) {
        options.program = SmallDiskProgram(limit);
    } else {
        options.shellPrefix = "ulimit -f " + std::to_string(c.blocks) + "; ";
    }
    const ProgramOutput run = RunProgram(script, options);
    if (c.smallDisk && run.exitCode == kCannotMount) GTEST_SKIP() << "no private mount allowed here";
    ExpectCleanEnd(run);
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript;
    const std::string cause = c.smallDisk ? "There is not enough space on the disk. (0x80070070)"
                                          : "The file size exceeds the limit allowed and cannot be saved. (0x800700DF)";
    EXPECT_TRUE(HasLinesInOrder(run.transcript,
                                {
                                    "msgbox \"Kavro-TScap\" exclamation \"Writing to \\\"" + Quoted(path) +
                                        "\\\" failed: " + cause +
                                        "\\nThe recording has stopped; what was written before is kept.\"",
                                    "msgbox \"Kavro-TScap\" exclamation \"Record is not started!\"",
                                    "control 1032 edit \"LOCKED\" enabled=0 visible=1",
                                    "done",
                                }));

    // The graph ran from the tune on; the recording's end stopped it, and the
    // second recording ran it again.
    const std::vector<std::uint64_t> runs = JournalNumbers(run.journal, "capture run bytes=");
    ASSERT_GE(runs.size(), 2u) << run.journal;
    const std::size_t full = runs.size() - 2;
    EXPECT_GT(DeliveredInRun(run, full), limit) << "the stream went on after the disk was full";
    const std::string recording = run.FileOnC(c.smallDisk ? "copy.ts" : "L-capture.ts");
    // Every whole packet up to the limit stays; the one the limit cut is taken off.
    ASSERT_EQ(limit - limit % 188, recording.size()) << "the file ends at the last whole packet";
    EXPECT_EQ("", TransportStreamFault(recording));

    const std::string second = run.FileOnC("second.ts");
    EXPECT_EQ(DeliveredInRun(run, full + 1), second.size());
    EXPECT_EQ("", TransportStreamFault(second));
    EXPECT_EQ(std::string::npos, run.journal.find("capture overrun")) << run.journal;
}

INSTANTIATE_TEST_SUITE_P(Limits, FullDiskRun,
                         testing::Values(FullDisk{"FileSizeLimitAtAPacketBoundary", 9400, false}, // 25600 packets
                                         FullDisk{"FileSizeLimitInsideAPacket", 9401,
                                                  false},                    // 25602 packets and 136 bytes
                                         FullDisk{"SmallDisk", 9400, true}), // whole memory pages, 25600 packets
                         [](const testing::TestParamInfo<FullDisk>& info) { return std::string(info.param.name); });

TEST(FaultRun, OutputPathsThatCannotBeWrittenAreRefusedAndNothingIsRecorded)
{
    // A folder holding an earlier recording; a place nobody may create files
    // in, root included (the kernel's own file system); a drive that does not
    // exist, typed and chosen through Save As; a name too long for any disk.
    TempDir place;
    std::filesystem::create_directory(place / "Recordings");
    TempDir::WriteFile(place / "Recordings" / "earlier.ts", "kept");
    const std::string folder = Backslashed(place / "Recordings");
    const std::string longName = std::string(300, 'n') + ".ts"; // beyond any file system's name length
    const std::string script = kTune +
        UiScriptText()
            .Page(1)
            .Text(IDC_RECORD_PATH, folder)
            .Click(IDC_START_RECORD)
            .Text(IDC_RECORD_PATH, "z:\\sys\\rec.ts")
            .Click(IDC_START_RECORD)
            .Text(IDC_RECORD_PATH, "q:\\rec.ts")
            .Click(IDC_START_RECORD)
            .Text(IDC_RECORD_PATH, "c:\\" + longName)
            .Click(IDC_START_RECORD)
            .SaveAs("q:\\chosen")
            .Click(IDC_BROWSE_PATH)
            .Click(IDC_START_RECORD)
            .Dump(IDC_RECORD_PATH)
            .Dump(IDC_RECORD_STATUS)
            .Click(IDC_CANCEL_RECORD);
    const ProgramOutput run = RunProgram(script, {.world = World()});
    ExpectCleanEnd(run);
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript;
    const std::string notStarted = "\\nThe recording has not started.\"";
    EXPECT_TRUE(HasLinesInOrder(
        run.transcript,
        {
            "msgbox \"Kavro-TScap\" exclamation \"Cannot create the file \\\"" + Quoted(folder) +
                "\\\": An operation is not supported on a directory. (0x80070150)" + notStarted,
            "msgbox \"Kavro-TScap\" exclamation \"Cannot create the file \\\"q:\\\\rec.ts\\\": The system cannot "
            "find the drive specified. (0x8007000F)" +
                notStarted,
            "msgbox \"Kavro-TScap\" exclamation \"Cannot create the file \\\"c:\\\\" + longName +
                "\\\": The filename or extension is too long. (0x800700CE)" + notStarted,
            "save-as \"q:\\\\chosen.TS\"",
            "msgbox \"Kavro-TScap\" exclamation \"Cannot create the file \\\"q:\\\\chosen.TS\\\": The system cannot "
            "find the drive specified. (0x8007000F)" +
                notStarted,
            "control 1030 edit \"q:\\\\chosen.TS\" enabled=1 visible=1",
            "control 1035 edit \"\" enabled=1 visible=1",
            "msgbox \"Kavro-TScap\" exclamation \"Record is not started!\"",
        }));
    // Access is denied to everyone; a system that mounts it read-only says so.
    const std::string sys = "Cannot create the file \\\"z:\\\\sys\\\\rec.ts\\\": ";
    const bool denied = run.transcript.find(sys + "Access is denied. (0x80070005)" + notStarted) != std::string::npos;
    const bool writeProtected =
        run.transcript.find(sys + "The media is write protected. (0x80070013)" + notStarted) != std::string::npos;
    EXPECT_TRUE(denied || writeProtected) << run.transcript;

    EXPECT_EQ("kept", TempDir::ReadFile(place / "Recordings" / "earlier.ts"));
    EXPECT_FALSE(std::filesystem::exists("/sys/rec.ts"));
    EXPECT_FALSE(std::filesystem::exists(run.DriveC() / "L-capture.ts"));
}

TEST(FaultRun, PathsStayOnTheirDriveAndDriveZReachesEveryFolder)
{
    // ".." never leaves a drive, typed or chosen through Save As; z: is the Linux
    // root, and a symbolic link on the way is followed.
    TempDir place;
    std::filesystem::create_directory(place / "usb");
    std::filesystem::create_directory_symlink(place / "usb", place / "link");
    const UiScriptText record = UiScriptText().Click(IDC_START_RECORD).Wait(500).Click(IDC_CANCEL_RECORD);
    const std::string script = kTune +
        UiScriptText()
            .Page(1)
            .Text(IDC_RECORD_PATH, "c:\\..\\escape.ts")
            .Then(record)
            .SaveAs("c:\\..\\..\\..\\chosen")
            .Click(IDC_BROWSE_PATH)
            .Then(record)
            .Text(IDC_RECORD_PATH, Backslashed(place / "link" / "usb.ts"))
            .Then(record);
    const ProgramOutput run = RunProgram(script, {.world = World()});
    ExpectCleanEnd(run);
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript;
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"save-as \"c:\\\\..\\\\..\\\\..\\\\chosen.TS\""})) << run.transcript;
    for (const std::filesystem::path& file :
         {run.DriveC() / "escape.ts", run.DriveC() / "chosen.TS", place / "usb" / "usb.ts"}) {
        SCOPED_TRACE(file.string());
        const std::string recording = TempDir::ReadFile(file);
        EXPECT_FALSE(recording.empty());
        EXPECT_EQ("", TransportStreamFault(recording));
    }
    EXPECT_FALSE(std::filesystem::exists(run.DriveC().parent_path() / "escape.ts")) << "outside drive c:";
}

// The window closed, or the tuner reported removed, in the middle of work.
struct Interruption {
    const char* name;
    const char* activity; // recording, tuning or dish
    std::string event;    // the script's last line, or empty: the world's removal notice
};

void PrintTo(const Interruption& c, std::ostream* out) { *out << c.name; }

std::string ActivityScript(const std::string& activity)
{
    if (activity == "recording") return kTune + kRecord + UiScriptText().Wait(1500);
    // "Lock TP" pressed; the event follows at once, while the stream starts
    // and the monitor polls its first lock.
    if (activity == "tuning") {
        return LockTp10744(1);
    }
    // The motor put on the cable through port C, then "Go" to 1.9 E, some ten
    // degrees away from the meridian at a degree a second.
    return LockTp10744(3)
        .Page(2)
        .Pick(IDC_COUNTRY, "Germany")
        .Pick(IDC_CITY, "Augsburg")
        .Pick(IDC_SATELLITE, "0019  BulgariaSat 1")
        .Click(IDC_GO)
        .Wait(500);
}

class InterruptedRun : public testing::TestWithParam<Interruption> {};

TEST_P(InterruptedRun, EndsCleanlyAndKeepsACompleteRecording)
{
    const Interruption& c = GetParam();
    const std::string activity = c.activity;
    // Without a scripted event the machine reports the removal a while after
    // the recording has started; the script waits longer than that.
    const std::string world = c.event.empty() ? World("DeviceRemovalAfter=10000\n") : World();
    const std::string script = ActivityScript(activity) + (c.event.empty() ? UiScriptText().Wait(30000) : c.event);
    const ProgramOutput run = RunProgram(script, {.world = world});
    ExpectCleanEnd(run);
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript;
    EXPECT_EQ(std::string::npos, run.transcript.find("msgbox ")) << run.transcript;
    const std::string windowEnd = c.event == UiScriptText().Close().str() ? "end 102 CANCEL" : "end 102 OK";
    EXPECT_TRUE(HasLinesInOrder(run.transcript, {"open 102 \"KavroN71 TS Recorder\"", windowEnd})) << run.transcript;
    EXPECT_NE(std::string::npos, run.journal.find("graph remove \"Dest Filter\"")) << "the graph was taken down";

    if (activity == "tuning") {
        EXPECT_NE(std::string::npos, run.journal.find("tune freq=10744000 ")) << run.journal;
    }
    if (activity == "dish") {
        // The goto command reached the positioner before the event.
        EXPECT_NE(std::string::npos, run.journal.find(" -> motor goto ")) << run.journal;
    }
    if (activity == "recording") {
        const std::vector<std::uint64_t> runs = JournalNumbers(run.journal, "capture run bytes=");
        ASSERT_GE(runs.size(), 2u) << run.journal;
        const std::string recording = run.FileOnC("L-capture.ts");
        EXPECT_EQ(DeliveredInRun(run, runs.size() - 1), recording.size())
            << "the file holds exactly what was delivered while recording";
        EXPECT_GT(recording.size(), 188u * 1000);
        EXPECT_EQ("", TransportStreamFault(recording));
        if (c.event.empty()) {
            EXPECT_LT(run.journal.find("capture run bytes=" + std::to_string(runs.back())),
                      run.journal.find("sim device removal"))
                << "the removal came during the recording";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EventsDuringWork, InterruptedRun,
    testing::Values(Interruption{"WindowClosedWhileRecording", "recording", UiScriptText().Close()},
                    Interruption{"WindowClosedWhileTuning", "tuning", UiScriptText().Close()},
                    Interruption{"WindowClosedWhileTheDishMoves", "dish", UiScriptText().Close()},
                    Interruption{"DeviceRemovedWhileRecording", "recording", UiScriptText().DeviceRemoval()},
                    Interruption{"DeviceRemovedWhileTuning", "tuning", UiScriptText().DeviceRemoval()},
                    Interruption{"DeviceRemovedWhileTheDishMoves", "dish", UiScriptText().DeviceRemoval()},
                    Interruption{"MachineReportsRemovalWhileRecording", "recording", ""}),
    [](const testing::TestParamInfo<Interruption>& info) { return std::string(info.param.name); });

// Bytes no editor wrote, without a Ctrl-Z (which ends a text file in text mode).
std::string Garbage(std::size_t bytes, unsigned seed)
{
    std::string text;
    for (std::size_t i = 0; i < bytes; ++i) {
        const char byte = static_cast<char>(((i + seed) * 2654435761u >> 11) & 0xFF);
        text += byte == '\x1A' ? '\0' : byte;
    }
    return text;
}

// The program copied into a folder of its own with a settings file, a city
// list and a satellite folder full of garbage beside it: the pages show what
// can be read, Go still aims the dish from a good city at a good satellite, and
// the files the program only reads are left byte for byte; the settings file,
// which the program writes by design, keeps every line it did not write.
TEST(FaultRun, GarbageDataFilesBesideTheProgramAreShownAsFarAsTheyReadAndKeptAsTheyWere)
{
    const OwnProgramFolder own(OwnProgramFolder::Data::None);
    const std::filesystem::path& folder = own.Folder();
    std::filesystem::create_directories(folder / "Transponders");

    const std::string garbage = Garbage(4096, 1);
    const std::string settings = garbage +
        "\r\n[Config]\r\npolarity=99999999999999999999999\r\ndiseqc=-1e400\r\n"
        "goldcode=99999999999999999999999\r\nfreq=" +
        std::string(1 << 20, '7') + "\r\nlnblow=9750\r\n[Notes]\r\nmine=keep me\r\n" + garbage;
    TempDir::WriteFile(folder / "Kavro-TScap.ini", settings);
    const std::string cities = Garbage(70000, 2) + "\nChad\t" + std::string((1 << 20) + 10, 'x') +
        "\nMali\tBamako\t1e400\t-99999999999999999999999\nMali\nGermany\tAugsburg\t48.3667\t10.8833\n" +
        Garbage(5000, 3);
    TempDir::WriteFile(folder / "CityList.txt", cities);
    const std::filesystem::path sats = folder / "Transponders";
    for (int i = 0; i < 5000; ++i) {
        const std::string name = "junk" + std::to_string(i) + (i % 10 == 0 ? ".txt" : ".ini");
        TempDir::WriteFile(sats / name, i % 2 ? Garbage(300, static_cast<unsigned>(i)) : "[SATTYPE]\n1=\n");
    }
    TempDir::WriteFile(sats / "0192.ini", "[SATTYPE]\r\n1=0192\r\n2=Astra\r\n");
    TempDir::WriteFile(sats / "long.ini", "[SATTYPE]\n1=0130\n2=" + std::string(1 << 20, 'L') + "\n");
    std::filesystem::create_directory(sats / "folder.ini");
    std::filesystem::create_symlink(sats / "nowhere", sats / "dangling.ini");

    const std::string script = UiScriptText()
                                   .Click(IDOK)
                                   .Dump(IDC_FREQUENCY_EDIT)
                                   .Dump(IDC_LNB_LOW)
                                   .Dump(IDC_POLARITY)
                                   .Dump(IDC_DISEQC)
                                   .Dump(IDC_GOLDCODE)
                                   .Page(2)
                                   .Pick(IDC_COUNTRY, "Germany")
                                   .Pick(IDC_CITY, "Augsburg")
                                   .Dump(IDC_LATITUDE)
                                   .Dump(IDC_LONGITUDE)
                                   .Pick(IDC_SATELLITE, "0192  Astra")
                                   .Click(IDC_GO);
    const ProgramOutput run = RunProgram(script, {.world = World(), .program = folder / "Kavro-TScap"});
    ExpectCleanEnd(run);
    EXPECT_EQ(std::string::npos, run.transcript.find("\nerror ")) << run.transcript.substr(0, 4000);
    EXPECT_EQ(std::string::npos, run.transcript.find("msgbox ")) << run.transcript.substr(0, 4000);
    EXPECT_TRUE(HasLinesInOrder(run.transcript,
                                {
                                    "control 1012 edit \"" + std::string(259, '7') + "\" enabled=1 visible=1",
                                    "control 1013 edit \"9750\" enabled=1 visible=1",
                                    "control 1002 combo \"\" enabled=1 visible=1 sel=-1 count=2",
                                    "control 1058 edit \"2147483647\" enabled=1 visible=1",
                                    "control 1068 edit \"48.3667\" enabled=1 visible=1",
                                    "control 1021 edit \"10.8833\" enabled=1 visible=1",
                                    "done",
                                }));
    // 19.2 E seen from Augsburg, as the shipped data aims it.
    EXPECT_NE(std::string::npos, run.journal.find("ks set BDA 0 inst=E1 31 6E E0 92 ")) << "Go aimed the dish";

    EXPECT_EQ(cities, TempDir::ReadFile(folder / "CityList.txt"));
    EXPECT_EQ("[SATTYPE]\r\n1=0192\r\n2=Astra\r\n", TempDir::ReadFile(sats / "0192.ini"));
    EXPECT_EQ(Garbage(300, 1), TempDir::ReadFile(sats / "junk1.ini"));
    const std::string saved = TempDir::ReadFile(folder / "Kavro-TScap.ini");
    EXPECT_EQ(0u, saved.find(garbage + "\r\n[Config]\r\n")) << "the lines before the section stay";
    EXPECT_NE(std::string::npos, saved.find("[Notes]\r\nmine=keep me\r\n" + garbage)) << "and those after it";
}

} // namespace
