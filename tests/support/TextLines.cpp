#include "tests/support/TextLines.h"

#include <algorithm>
#include <sstream>

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool HasLine(const std::string& text, const std::string& line)
{
    const std::vector<std::string> lines = Lines(text);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

::testing::AssertionResult HasInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected)
{
    auto at = lines.begin();
    for (const std::string& line : expected) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end()) {
            std::string all;
            for (const std::string& each : lines) all += each + "\n";
            return ::testing::AssertionFailure() << "missing, or out of order: " << line << "\nin:\n" << all;
        }
        ++at;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasLinesInOrder(const std::string& text, const std::vector<std::string>& expected)
{
    return HasInOrder(Lines(text), expected);
}
