// The sink's write path (CDumpInputPin::Receive into the recording file under
// the record lock, through RecordSession and SequentialFile) against a plain
// write loop of the same sample size into the same folder. Samples are the
// capture filter's: 348 transport packets, 65424 bytes; each iteration writes
// 256 MB into a new file.
//
// So that neither path pays for the other's work:
// - the two alternate, round by round, and which goes first alternates too
//   (round 1 plain then sink, round 2 sink then plain, ...);
// - every iteration writes a file of its own, created for it and removed after
//   it (outside the timed part);
// - every iteration ends with the file's data on the disk (fdatasync after the
//   close, inside the timed part), so no write-back is left for the next one.
// Real time is then what reaching the disk takes; CPU time is the writing
// thread's own work (the page cache's copy, the sink's lock and bookkeeping),
// which the disk does not blur. cached_MB is how much of the file the page
// cache held when it was closed. The summary at the end gives the medians
// over the rounds and the ratios.
//
//   bench_sink_write [--rounds=5] [--benchmark_...] [folder]
//
// The folder (default: the system's temporary folder) is where the files go;
// pick the disk a recording would use.
#include "bench/PageCache.h"
#include "platform/com/ComPtr.h"
#include "platform/com/WideText.h"
#include "platform/dshow/SampleInterfaces.h"
#include "sink/CDestFilter.h"
#include "sink/RecordSession.h"
#include "runtime/graph/MemAllocator.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kSampleBytes = 348 * 188;
constexpr std::size_t kSamplesPerRun = (std::size_t{256} << 20) / kSampleBytes;
constexpr std::size_t kRunBytes = kSamplesPerRun * kSampleBytes;
constexpr int kIterationsPerRound = 2;

std::filesystem::path g_folder;
int g_fileNumber = 0;

std::vector<BYTE> TsBuffer()
{
    std::vector<BYTE> buffer(kSampleBytes);
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<BYTE>(i % 188 == 0 ? 0x47 : i * 13);
    return buffer;
}

// A file name not used before in this run.
std::filesystem::path FreshFile(const char* stem)
{
    return g_folder /
        (std::string(stem) + "-" + std::to_string(::getpid()) + "-" + std::to_string(++g_fileNumber) + ".ts");
}

// Waits until the closed file's data is on the disk.
bool SyncToDisk(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fdatasync(fd) == 0;
    ::close(fd);
    return synced;
}

// After an iteration, outside the timed part: what the cache held of the
// file, then the file removed.
void Discard(benchmark::State& state, const std::filesystem::path& file, double& cachedMB)
{
    state.PauseTiming();
    cachedMB += static_cast<double>(CachedBytes(file)) / (1 << 20);
    std::filesystem::remove(file);
    state.ResumeTiming();
}

void Report(benchmark::State& state, double cachedMB)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kRunBytes));
    state.counters["cached_MB"] = benchmark::Counter(cachedMB, benchmark::Counter::kAvgIterations);
}

// A sample of the graph's own allocator holding the packets, as the capture
// filter hands them to the sink; null when the allocator refuses.
ComPtr<IMediaSample> TsSample(IMemAllocator* allocator)
{
    ALLOCATOR_PROPERTIES wanted{1, static_cast<LONG>(kSampleBytes), 1, 0};
    ALLOCATOR_PROPERTIES actual{};
    ComPtr<IMediaSample> sample;
    if (FAILED(allocator->SetProperties(&wanted, &actual)) || FAILED(allocator->Commit()) ||
        FAILED(allocator->GetBuffer(&sample, nullptr, nullptr, 0))) {
        return {};
    }
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    const std::vector<BYTE> packets = TsBuffer();
    std::memcpy(data, packets.data(), packets.size());
    return sample;
}

void SinkReceive(benchmark::State& state)
{
    RecordSession session;
    CDestFilter* sink = nullptr;
    if (FAILED(CDestFilter::Create(session, &sink))) {
        state.SkipWithError("no sink");
        return;
    }
    ComPtr<IMemAllocator> allocator;
    ComPtr<IMediaSample> sample;
    if (SUCCEEDED(runtime::MemAllocator::CreateInstance(nullptr, IID_PPV_ARGS(&allocator))))
        sample = TsSample(allocator.Get());
    if (!sample) {
        state.SkipWithError("no sample");
        static_cast<IBaseFilter*>(sink)->Release();
        return;
    }
    double cachedMB = 0;
    for (auto _ : state) {
        const std::filesystem::path file = FreshFile("bench-sink");
        session.SetRecordPath(FromUtf8(file.string()));
        {
            CAutoLock lock(&session.recordLock);
            if (FAILED(session.OpenOutputFile())) {
                state.SkipWithError("cannot create the file");
                break;
            }
            sink->InputPin()->SetWriteEnabled(true);
        }
        for (std::size_t i = 0; i < kSamplesPerRun; ++i) sink->InputPin()->Receive(sample.Get());
        session.CloseOutputFile();
        if (FAILED(session.WriteFailure()) || !SyncToDisk(file)) state.SkipWithError("a write failed");
        Discard(state, file, cachedMB);
    }
    Report(state, cachedMB);
    sample.Release();
    allocator->Decommit();
    static_cast<IBaseFilter*>(sink)->Release();
}

void PlainWrite(benchmark::State& state)
{
    const std::vector<BYTE> buffer = TsBuffer();
    double cachedMB = 0;
    for (auto _ : state) {
        const std::filesystem::path file = FreshFile("bench-plain");
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) {
            state.SkipWithError("cannot create the file");
            break;
        }
        bool failed = false;
        for (std::size_t i = 0; i < kSamplesPerRun && !failed; ++i)
            failed = ::write(fd, buffer.data(), buffer.size()) != static_cast<ssize_t>(buffer.size());
        ::close(fd);
        if (failed || !SyncToDisk(file)) state.SkipWithError("a write failed");
        Discard(state, file, cachedMB);
    }
    Report(state, cachedMB);
}

struct Figures {
    std::vector<double> realMs;
    std::vector<double> cpuMs;
    std::vector<double> cachedMB;
};

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Prints each run as the console does and keeps its figures by path.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.run_name.function_name;
            Figures& figures = byPath[name.substr(0, name.find('/'))];
            // Times per iteration, in the benchmark's unit (ms).
            figures.realMs.push_back(run.GetAdjustedRealTime());
            figures.cpuMs.push_back(run.GetAdjustedCPUTime());
            if (const auto it = run.counters.find("cached_MB"); it != run.counters.end())
                figures.cachedMB.push_back(it->second.value);
        }
    }

    void PrintSummary() const
    {
        const double mb = static_cast<double>(kRunBytes) / (1 << 20);
        std::printf("\nMedians over the rounds, %.0f MB per iteration, synced to the disk:\n", mb);
        std::printf("%-12s %10s %10s %10s %10s %10s\n", "path", "real ms", "MB/s", "CPU ms", "CPU MB/s", "cached MB");
        for (const auto& [path, f] : byPath) {
            std::printf("%-12s %10.0f %10.0f %10.0f %10.0f %10.1f\n", path.c_str(), Median(f.realMs),
                        mb * 1000 / Median(f.realMs), Median(f.cpuMs), mb * 1000 / Median(f.cpuMs), Median(f.cachedMB));
        }
        const auto plain = byPath.find("PlainWrite");
        const auto sink = byPath.find("SinkReceive");
        if (plain != byPath.end() && sink != byPath.end()) {
            std::printf("sink / plain throughput: %.2f real (to the disk), %.2f CPU\n",
                        Median(plain->second.realMs) / Median(sink->second.realMs),
                        Median(plain->second.cpuMs) / Median(sink->second.cpuMs));
        }
    }

private:
    std::map<std::string, Figures> byPath;
};

// Takes --rounds=N out of the arguments; 5 without it.
int TakeRounds(int& argc, char** argv)
{
    int rounds = 5;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rounds=", 9) == 0) {
            rounds = std::max(1, std::atoi(argv[i] + 9));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return rounds;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = TakeRounds(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_folder = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    for (int round = 1; round <= rounds; ++round) {
        const std::string suffix = "/round:" + std::to_string(round);
        auto plain = [&] {
            benchmark::RegisterBenchmark(("PlainWrite" + suffix).c_str(), PlainWrite)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(kIterationsPerRound);
        };
        auto sink = [&] {
            benchmark::RegisterBenchmark(("SinkReceive" + suffix).c_str(), SinkReceive)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(kIterationsPerRound);
        };
        if (round % 2) {
            plain();
            sink();
        } else {
            sink();
            plain();
        }
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
