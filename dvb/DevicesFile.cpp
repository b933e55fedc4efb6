#include "dvb/DevicesFile.h"

#include <algorithm>
#include <cctype>

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

bool AllDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "adapterA/frontendF" with A and F in decimal digits only (no sign, no blank).
bool IsFrontendSection(const std::string& section)
{
    const std::string_view adapter = "adapter";
    const std::string_view frontend = "/frontend";
    const std::string_view text = section;
    if (text.substr(0, adapter.size()) != adapter) return false;
    const std::size_t slash = text.find(frontend);
    if (slash == std::string_view::npos) return false;
    return AllDigits(text.substr(adapter.size(), slash - adapter.size())) &&
        AllDigits(text.substr(slash + frontend.size()));
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
