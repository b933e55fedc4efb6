// The devices file beside the program (KavroDevices.ini): any bytes as its text.
//
// Invariants: only the four model names are taken; every section taken names a
// frontend as adapterN/frontendM in lower case; parsing is deterministic.
#include "dvb/DevicesFile.h"
#include "fuzz/FuzzCheck.h"

#include <cctype>

namespace {

bool IsFrontendPlace(const std::string& place)
{
    const std::string adapter = "adapter";
    const std::string frontend = "/frontend";
    if (place.rfind(adapter, 0) != 0) return false;
    const std::size_t slash = place.find(frontend);
    if (slash == std::string::npos || slash == adapter.size()) return false;
    const auto digits = [](const std::string& text) {
        if (text.empty()) return false;
        for (const char c : text) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        }
        return true;
    };
    return digits(place.substr(adapter.size(), slash - adapter.size())) &&
        digits(place.substr(slash + frontend.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const dvb::DevicesFile file = dvb::ParseDevicesFile(text);
    for (const auto& [place, name] : file.names) {
        FUZZ_CHECK(dvb::IsKavroModelName(name));
        FUZZ_CHECK(IsFrontendPlace(place));
    }
    const dvb::DevicesFile again = dvb::ParseDevicesFile(text);
    FUZZ_CHECK(again.names == file.names && again.warnings == file.warnings);
    return 0;
}
