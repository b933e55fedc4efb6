#include "tests/support/LogTexts.h"

#include "tests/support/TempDir.h"
#include "tests/support/TextLines.h"

std::vector<std::string> LogTexts(const std::string& log)
{
    std::vector<std::string> texts;
    for (const std::string& line : Lines(log)) {
        const std::size_t close = line.find("] ");
        const bool header = line.rfind('[', 0) == 0 && close != std::string::npos;
        texts.push_back(header ? line.substr(close + 2) : line);
    }
    return texts;
}

std::vector<std::string> DriveLogTexts(const std::filesystem::path& driveFolder)
{
    return LogTexts(TempDir::ReadFile(driveFolder / "iptools.log"));
}
