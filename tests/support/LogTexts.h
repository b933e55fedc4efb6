#pragma once
// Reading back the diagnostic log (c:\iptools.log): each line's text without
// its "[DATE TIME : TICK] " header and line end.
#include <filesystem>
#include <string>
#include <vector>

// The texts of the log's lines, in order; a line without a header is kept whole.
std::vector<std::string> LogTexts(const std::string& log);
// The texts of iptools.log in driveFolder (drive c:); none when there is no log.
std::vector<std::string> DriveLogTexts(const std::filesystem::path& driveFolder);
