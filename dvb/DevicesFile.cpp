#include "dvb/DevicesFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace dvb {

namespace {

constexpr std::string_view kModels[] = {
    "Kavro N71 DVBS/S2 Tuner",
    "Kavro N72 DVBS/S2 Tuner A",
    "Kavro N72 DVBS/S2 Tuner B",
    "Kavro U31 DVBS2 Tuner",
};

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool IsFrontendSection(const std::string& section)
{
    unsigned adapter = 0;
    unsigned frontend = 0;
    char end = 0;
    return std::sscanf(section.c_str(), "adapter%u/frontend%u%c", &adapter, &frontend, &end) == 2;
}

} // namespace

bool IsKavroModelName(std::string_view name)
{
    return std::find(std::begin(kModels), std::end(kModels), name) != std::end(kModels);
}

bool IsUsbModelName(std::string_view name) { return name == kModels[3]; }

DevicesFile ParseDevicesFile(std::string_view text)
{
    DevicesFile file;
    std::string section;
    bool sectionOk = false;
    int number = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        if (line.front() == '[') {
            const auto close = line.find(']');
            section = Lower(Trim(line.substr(1, close == std::string_view::npos ? line.size() : close - 1)));
            sectionOk = close != std::string_view::npos && IsFrontendSection(section);
            if (!sectionOk) file.warnings.push_back(where + "[" + section + "] names no adapterA/frontendF");
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            file.warnings.push_back(where + "no key=value");
            continue;
        }
        if (!sectionOk) continue; // already reported, or before any section
        const std::string key = Lower(Trim(line.substr(0, equals)));
        const std::string_view value = Trim(line.substr(equals + 1));
        if (key != "name") continue;
        if (!IsKavroModelName(value)) {
            file.warnings.push_back(where + "\"" + std::string(value) + "\" is none of the Kavro model names");
            continue;
        }
        file.names[section] = std::string(value);
    }
    return file;
}

} // namespace dvb
