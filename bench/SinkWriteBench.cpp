// The sink's write path (CDumpInputPin::Receive into the recording file under
// the record lock) against a plain write loop of the same sample size into
// the same folder. Samples are the capture filter's: 348 transport packets,
// 65424 bytes. Each run writes 256 MB, so the page cache's write-back is part
// of what is measured; bytes per second are reported for both.
//
//   bench_sink_write [--benchmark_repetitions=5] [folder]
//
// The folder (default: the system's temporary folder) is where the files go;
// pick the disk a recording would use.
#include "platform/com/ComPtr.h"
#include "platform/com/WideText.h"
#include "platform/dshow/SampleInterfaces.h"
#include "sink/CDestFilter.h"
#include "sink/RecordSession.h"
#include "runtime/graph/MemAllocator.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kSampleBytes = 348 * 188;
constexpr std::size_t kRunBytes = std::size_t{256} << 20;

std::filesystem::path g_folder;

std::vector<BYTE> TsBuffer()
{
    std::vector<BYTE> buffer(kSampleBytes);
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<BYTE>(i % 188 == 0 ? 0x47 : i * 13);
    return buffer;
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
    const std::filesystem::path file = g_folder / "bench-sink.ts";
    for (auto _ : state) {
        session.SetRecordPath(FromUtf8(file.string()));
        {
            CAutoLock lock(&session.recordLock);
            if (FAILED(session.OpenOutputFile())) {
                state.SkipWithError("cannot create the file");
                break;
            }
            sink->InputPin()->SetWriteEnabled(true);
        }
        for (std::size_t written = 0; written < kRunBytes; written += kSampleBytes)
            sink->InputPin()->Receive(sample.Get());
        session.CloseOutputFile();
        if (FAILED(session.WriteFailure())) state.SkipWithError("a write failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (kRunBytes / kSampleBytes) * kSampleBytes));
    sample.Release();
    allocator->Decommit();
    static_cast<IBaseFilter*>(sink)->Release();
    std::filesystem::remove(file);
}

void PlainWrite(benchmark::State& state)
{
    const std::vector<BYTE> buffer = TsBuffer();
    const std::filesystem::path file = g_folder / "bench-plain.ts";
    for (auto _ : state) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) {
            state.SkipWithError("cannot create the file");
            break;
        }
        for (std::size_t written = 0; written < kRunBytes; written += kSampleBytes) {
            if (::write(fd, buffer.data(), buffer.size()) != static_cast<ssize_t>(buffer.size())) {
                state.SkipWithError("a write failed");
                break;
            }
        }
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (kRunBytes / kSampleBytes) * kSampleBytes));
    std::filesystem::remove(file);
}

BENCHMARK(PlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SinkReceive)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    g_folder = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
