#include "tests/support/JournalTail.h"

#include "tests/support/TempDir.h"
#include "tests/support/TextLines.h"

#include <utility>

namespace {

bool StartsWithAny(const std::string& line, const std::vector<std::string>& prefixes)
{
    for (const std::string& prefix : prefixes) {
        if (line.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

} // namespace

JournalTail::JournalTail(std::filesystem::path file) : m_file(std::move(file)) {}

std::string JournalTail::Text() const { return TempDir::ReadFile(m_file); }

std::vector<std::string> JournalTail::Next(std::string_view prefix)
{
    return Next(std::vector<std::string>{std::string(prefix)});
}

std::vector<std::string> JournalTail::Next(const std::vector<std::string>& prefixes)
{
    const std::string text = Text();
    // A file written afresh (shorter than what was read) is read from its start.
    if (m_read > text.size()) m_read = 0;
    const std::size_t end = text.rfind('\n');
    if (end == std::string::npos || end + 1 <= m_read) return {};
    const std::string fresh = text.substr(m_read, end + 1 - m_read);
    m_read = end + 1;
    std::vector<std::string> lines;
    for (std::string& line : Lines(fresh)) {
        if (StartsWithAny(line, prefixes)) lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> JournalLines(const std::string& journal, std::string_view prefix)
{
    std::vector<std::string> lines;
    for (std::string& line : Lines(journal)) {
        if (line.rfind(prefix, 0) == 0) lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::uint64_t> JournalNumbers(const std::string& journal, const std::string& prefix)
{
    std::vector<std::uint64_t> numbers;
    for (const std::string& line : JournalLines(journal, prefix)) {
        numbers.push_back(std::stoull(line.substr(prefix.size())));
    }
    return numbers;
}

std::vector<std::string> DebugTexts(const std::string& journal)
{
    const std::string prefix = "debug \"";
    std::vector<std::string> texts;
    for (const std::string& line : JournalLines(journal, prefix)) {
        if (line.size() > prefix.size()) texts.push_back(line.substr(prefix.size(), line.size() - prefix.size() - 1));
    }
    return texts;
}
