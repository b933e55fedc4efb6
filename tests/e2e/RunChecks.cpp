#include "tests/e2e/RunChecks.h"

#include "tests/support/TempDir.h"

#include <array>
#include <cstdlib>
#include <cstdint>
#include <vector>

std::string SanitizerReport(const std::string& errors)
{
    // A UndefinedBehaviorSanitizer finding is a "file:line:col: runtime
    // error: ..." line; the others name their sanitizer in the report's
    // first line ("ERROR: AddressSanitizer", "WARNING: ThreadSanitizer").
    static constexpr std::array<const char*, 5> kMarks = {"AddressSanitizer", "LeakSanitizer", "ThreadSanitizer",
                                                          "UndefinedBehaviorSanitizer", "runtime error:"};
    for (const std::string& line : Lines(errors)) {
        for (const char* mark : kMarks) {
            if (line.find(mark) != std::string::npos) return line;
        }
    }
    return "";
}

::testing::AssertionResult EndedCleanly(const ProgramOutput& run)
{
    if (run.signal != 0 || run.exitCode != 0) {
        return ::testing::AssertionFailure()
            << "exit code " << run.exitCode << ", signal " << run.signal << "\nstderr:\n"
            << run.errors << "\ntranscript:\n"
            << run.transcript;
    }
    if (const std::string report = SanitizerReport(run.errors); !report.empty()) {
        return ::testing::AssertionFailure() << "sanitizer report: " << report << "\nstderr:\n" << run.errors;
    }
    for (const std::string& line : Lines(run.transcript)) {
        if (line.rfind("error ", 0) == 0) {
            return ::testing::AssertionFailure() << "script stopped: " << line << "\ntranscript:\n" << run.transcript;
        }
    }
    if (run.LastJournalLine() != "exit live_objects=0") {
        return ::testing::AssertionFailure() << "the journal ends with \"" << run.LastJournalLine() << "\"";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult RecordingIsTheDelivery(const ProgramOutput& run, const std::string& fileName)
{
    const std::vector<std::uint64_t> runs = JournalNumbers(run.journal, "capture run bytes=");
    const std::vector<std::uint64_t> stops = JournalNumbers(run.journal, "capture stop bytes=");
    if (runs.empty() || stops.size() != runs.size() || stops.back() < runs.back()) {
        return ::testing::AssertionFailure()
            << runs.size() << " capture runs and " << stops.size() << " stops in the journal:\n"
            << run.journal;
    }
    const std::uint64_t delivered = stops.back() - runs.back();
    const std::string file = run.FileOnC(fileName);
    if (file.size() != delivered) {
        return ::testing::AssertionFailure()
            << "the file holds " << file.size() << " bytes, the capture filter delivered " << delivered;
    }
    if (const std::string fault = TransportStreamFault(file); !fault.empty()) {
        return ::testing::AssertionFailure() << "the recording has " << fault;
    }
    for (const std::string& line : Lines(run.journal)) {
        if (line.rfind("capture overrun", 0) == 0) return ::testing::AssertionFailure() << "packets lost: " << line;
    }
    return ::testing::AssertionSuccess();
}

std::optional<std::string> ProbedFormat(const std::string& bytes)
{
    if (std::system("command -v ffprobe > /dev/null") != 0) return std::nullopt;
    TempDir dir;
    TempDir::WriteFile(dir / "rec.ts", bytes);
    const std::string probe = "ffprobe -v warning -hide_banner -show_entries format=format_name -of csv=p=0 '" +
        (dir / "rec.ts").string() + "' > '" + (dir / "probe.txt").string() + "' 2>&1";
    std::string text = std::system(probe.c_str()) == 0 ? "" : "ffprobe failed\n";
    for (const std::string& line : Lines(TempDir::ReadFile(dir / "probe.txt"))) {
        if (line.find("Unsupported codec") == std::string::npos) text += line + "\n";
    }
    return text;
}
