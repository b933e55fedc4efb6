#include "sim/tuner/Sky.h"

#include "sim/tuner/SatelliteFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

namespace sim {

namespace {

bool IsIniFile(const std::filesystem::path& file) { return EqualsNoCase(file.extension().string(), ".ini"); }

// Satellite files are small; a larger file is not one and is not read whole.
constexpr std::uintmax_t kMaxFileBytes = 4u << 20;

} // namespace

Sky Sky::Load(const std::filesystem::path& folder, std::vector<std::string>* warnings)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error) && IsIniFile(it->path())) {
            files.push_back(it->path());
        }
    }
    if (error && warnings) {
        warnings->push_back(folder.string() + ": " + error.message());
    }
    std::sort(files.begin(), files.end());

    std::vector<Satellite> satellites;
    for (const auto& file : files) {
        const auto size = std::filesystem::file_size(file, error);
        std::ifstream in(file, std::ios::binary);
        if (error || size > kMaxFileBytes || !in) {
            if (warnings) warnings->push_back(file.string() + ": not readable as a satellite file");
            continue;
        }
        std::ostringstream text;
        text << in.rdbuf();
        auto parsed = ParseSatelliteFile(IniText(text.str()), file.filename().string());
        if (warnings) {
            warnings->insert(warnings->end(), parsed.warnings.begin(), parsed.warnings.end());
        }
        if (parsed.satellite) {
            satellites.push_back(std::move(*parsed.satellite));
        }
    }
    return Sky(std::move(satellites));
}

const Satellite* Sky::Find(int positionCode) const
{
    for (const auto& satellite : m_satellites) {
        if (satellite.positionCode == positionCode) {
            return &satellite;
        }
    }
    return nullptr;
}

} // namespace sim
