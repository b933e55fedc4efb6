#pragma once
// Reading back what the program wrote: the texts of the diagnostic log without
// their date, time and tick header, and the journal's debug-output lines.
#include "tests/support/TempDir.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// The diagnostic log's lines under drive folder, each without its "[...] " header
// and line end.
inline std::vector<std::string> LogTexts(const std::filesystem::path& driveFolder)
{
    std::istringstream in(TempDir::ReadFile(driveFolder / "iptools.log"));
    std::vector<std::string> texts;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t close = line.find("] ");
        texts.push_back(close == std::string::npos ? line : line.substr(close + 2));
    }
    return texts;
}

// The texts of the journal's `debug "TEXT"` lines, still C-escaped.
inline std::vector<std::string> DebugTexts(const std::filesystem::path& journal)
{
    std::istringstream in(TempDir::ReadFile(journal));
    std::vector<std::string> texts;
    const std::string prefix = "debug \"";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0 && line.size() > prefix.size()) {
            texts.push_back(line.substr(prefix.size(), line.size() - prefix.size() - 1));
        }
    }
    return texts;
}
