#include "tests/e2e/RunComparison.h"

#include "tests/e2e/RunNormalisation.h"

#include <algorithm>
#include <sstream>

namespace {

void ShowAround(std::ostringstream& out, const char* build, const std::vector<std::string>& lines, std::size_t at)
{
    constexpr std::size_t kContext = 3;
    out << build << ":\n";
    const std::size_t from = at > kContext ? at - kContext : 0;
    const std::size_t to = std::min(lines.size(), at + kContext + 1);
    for (std::size_t i = from; i < to; ++i) out << (i == at ? "> " : "  ") << i + 1 << ": " << lines[i] << "\n";
    if (at >= lines.size()) out << "> " << at + 1 << ": (the end)\n";
}

} // namespace

::testing::AssertionResult SameLines(const std::string& what, const std::vector<std::string>& linuxLines,
                                     const std::vector<std::string>& windowsLines)
{
    const auto [linuxAt, windowsAt] =
        std::mismatch(linuxLines.begin(), linuxLines.end(), windowsLines.begin(), windowsLines.end());
    if (linuxAt == linuxLines.end() && windowsAt == windowsLines.end()) return ::testing::AssertionSuccess();
    const auto at = static_cast<std::size_t>(linuxAt - linuxLines.begin());
    std::ostringstream out;
    out << "the " << what << "s part at line " << at + 1 << " (after normalisation)\n";
    ShowAround(out, "Linux", linuxLines, at);
    ShowAround(out, "Windows", windowsLines, at);
    return ::testing::AssertionFailure() << out.str();
}

::testing::AssertionResult SameRun(const ProgramOutput& linuxRun, const ProgramOutput& windowsRun)
{
    if (auto same = SameLines("transcript", NormalisedTranscript(linuxRun.transcript),
                              NormalisedTranscript(windowsRun.transcript));
        !same) {
        return same;
    }
    if (auto same = SameLines("journal", NormalisedJournal(linuxRun.journal), NormalisedJournal(windowsRun.journal));
        !same) {
        return same;
    }
    return SameLines("log", NormalisedLog(linuxRun.log), NormalisedLog(windowsRun.log));
}
