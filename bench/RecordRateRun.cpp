// A recording at the highest rates a DVB-S2 transponder carries, through the
// program's own graph on the simulated machine: one tuner, one transponder of
// 45000 kS/s 16APSK 9/10 (about 158 Mbit/s of transport stream), the graph
// built and tuned as the program does, then a recording of the given length
// through RecordSession and the sink. It reports the bytes the capture filter
// delivered, the file's size, the packets it lost for want of buffers
// (`capture overrun` journal lines), and whether the file is a run of whole
// 188-byte packets in sync with unbroken continuity counters, by its own
// check and by ffprobe (which must read it as MPEG-TS without a warning).
// It also tells how much of the file the page cache held when the recording
// ended, before anything read it.
//
//   bench_record_rate [seconds=60] [folder=the temporary folder]
//
// Exit status 0 only when nothing was lost and the file is whole.
#include "bench/PageCache.h"
#include "graph/GraphMutex.h"
#include "graph/DVBTuneRequest.h"
#include "graph/TunerGraph.h"
#include "graph/TunerGraphBuild.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/com/Sync.h"
#include "platform/com/Tick.h"
#include "platform/com/WideText.h"
#include "sink/RecordSession.h"
#include "sim/Install.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

constexpr const char* kWorld = R"([World]
Tuners=N72B
Sky=Sky
[Tuner.N72B]
Name=Kavro N72 DVBS/S2 Tuner B
Kind=pcie
Cable=Home
[Cable.Home]
Lnb=9750,10600,11700
PortA=sat 0192
Default=A
)";

constexpr const char* kSatellite = R"([SATTYPE]
1=0192
2=Rate Test
[DVB]
0=1
1=12000,H,45000,910,S2,16APSK,pilots=off,rolloff=0.20
)";

struct FileCheck {
    std::uint64_t packets = 0;
    std::uint64_t outOfSync = 0;
    std::uint64_t continuityBreaks = 0;
    bool partialPacket = false;
};

// Packet sync and, per PID carrying payload, the continuity counter.
FileCheck CheckTransportStream(const std::filesystem::path& file)
{
    FileCheck check;
    std::ifstream in(file, std::ios::binary);
    std::array<int, 8192> last{};
    last.fill(-1);
    std::array<char, 188> packet{};
    while (in.read(packet.data(), packet.size())) {
        ++check.packets;
        const auto* p = reinterpret_cast<const unsigned char*>(packet.data());
        if (p[0] != 0x47) {
            ++check.outOfSync;
            continue;
        }
        const int pid = ((p[1] & 0x1F) << 8) | p[2];
        if (pid == 0x1FFF || (p[3] & 0x10) == 0) continue; // null packets and packets without payload
        const int cc = p[3] & 0x0F;
        if (last[pid] >= 0 && cc != ((last[pid] + 1) & 0x0F)) ++check.continuityBreaks;
        last[pid] = cc;
    }
    check.partialPacket = in.gcount() != 0;
    return check;
}

std::uint64_t LastNumberAfter(const std::string& journal, const std::string& prefix)
{
    std::uint64_t value = 0;
    std::istringstream lines(journal);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0) value = std::strtoull(line.c_str() + prefix.size(), nullptr, 10);
    }
    return value;
}

int CountLines(const std::string& journal, const std::string& prefix)
{
    int count = 0;
    std::istringstream lines(journal);
    for (std::string line; std::getline(lines, line);) count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const std::filesystem::path base =
        argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    const std::filesystem::path folder = base / ("kavro-rate-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "Sky");
    std::ofstream(folder / "Sky" / "0192.ini") << kSatellite;
    const std::filesystem::path journalFile = folder / "journal.txt";
    const std::filesystem::path recording = folder / "rate.ts";
    JournalOpen(journalFile.string());

    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    graphMutex = CreateMutex(nullptr, FALSE, nullptr);
    int status = 1;
    {
        sim::SimMachineOptions options;
        options.worldText = kWorld;
        options.programDirectory = folder;
        options.tuningSpaceFile = folder / "tuningspaces.ini";
        auto machine = sim::InstallSimulatedMachine(options);

        TunerGraph& graph = TunerGraph::Process();
        if (BuildTunerGraph(0, L"", nullptr) != BUILD_OK || !graph.mediaControl || !graph.sink) {
            std::cerr << "the graph could not be built\n";
        } else {
            TuningBlock block{};
            block.frequencyMhz = 12000;
            block.lnbLowMhz = 9750;
            block.lnbHighMhz = 10600;
            block.symbolRateKsps = 45000;
            block.header[0] = 1;
            block.header[2] = 2;
            ComPtr<IDVBTuneRequest> request;
            ComPtr<ITuner> tuner;
            if (const wchar_t* error = CreateDVBTuneRequest(&request, &block, 11700)) {
                std::cerr << ToUtf8(error);
            } else if (FAILED(graph.networkProvider.QueryInterface(tuner)) ||
                       FAILED(tuner->put_TuneRequest(request.Get()))) {
                std::cerr << "the tune request was refused\n";
            } else {
                RecordSession& session = RecordSession::Process();
                session.SetRecordPath(FromUtf8(recording.string()));
                const DWORD start = GetTickCount();
                session.BeginRecording(graph.mediaControl.Get(), graph.sink.Get());
                Sleep(static_cast<DWORD>(seconds) * 1000);
                session.EndRecording(graph.mediaControl.Get());
                const double elapsed = (GetTickCount() - start) / 1000.0;
                const std::uint64_t cached = CachedBytes(recording);

                JournalClose();
                std::ifstream in(journalFile);
                const std::string journal((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                const std::uint64_t delivered = LastNumberAfter(journal, "capture stop bytes=");
                const int overruns = CountLines(journal, "capture overrun");
                const std::uint64_t size = std::filesystem::file_size(recording);
                const FileCheck check = CheckTransportStream(recording);
                std::printf(
                    "seconds %.1f\ndelivered bytes %llu (%.1f Mbit/s)\nfile bytes %llu\noverrun lines %d\n"
                    "packets %llu, out of sync %llu, continuity breaks %llu, partial packet %s\nwrite failure %s\n"
                    "page cache at the end %.1f MB of the file's %.1f MB\n",
                    elapsed, static_cast<unsigned long long>(delivered), delivered * 8 / elapsed / 1e6,
                    static_cast<unsigned long long>(size), overruns, static_cast<unsigned long long>(check.packets),
                    static_cast<unsigned long long>(check.outOfSync),
                    static_cast<unsigned long long>(check.continuityBreaks), check.partialPacket ? "yes" : "no",
                    HresultText(session.WriteFailure()).c_str(), cached / 1048576.0, size / 1048576.0);
                // The stream as an independent demultiplexer reads it: any
                // warning (lost sync, continuity) is printed.
                const std::string probe =
                    "ffprobe -v warning -hide_banner -show_entries format=format_name -of csv=p=0 '" +
                    recording.string() + "' > '" + (folder / "probe.txt").string() + "' 2>&1";
                const int probeStatus = std::system(probe.c_str());
                // The simulated elementary stream has no codec ffprobe knows;
                // that note says nothing about the transport stream.
                std::ifstream probeIn(folder / "probe.txt");
                std::string probeText;
                for (std::string line; std::getline(probeIn, line);) {
                    if (line.find("Unsupported codec") == std::string::npos) probeText += line + "\n";
                }
                std::printf("ffprobe status %d: %s", probeStatus, probeText.c_str());
                const bool probed = probeStatus == 0 && probeText == "mpegts\n";
                const bool whole = probed && overruns == 0 && size == delivered && delivered > 0 &&
                    check.outOfSync == 0 && check.continuityBreaks == 0 && !check.partialPacket;
                status = whole ? 0 : 2;
            }
        }
        ReleaseTunerGraph();
    }
    CoUninitialize();
    JournalClose();
    std::filesystem::remove_all(folder);
    return status;
}
