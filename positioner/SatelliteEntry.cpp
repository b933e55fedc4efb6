#include "positioner/SatelliteEntry.h"

#include "positioner/TextNumber.h"

namespace {

std::string_view WithoutTrailingCr(std::string_view value)
{
    if (!value.empty() && value.back() == '\r') {
        value.remove_suffix(1);
    }
    return value;
}

} // namespace

std::string SatelliteListEntry(std::string_view positionCode, std::string_view name)
{
    std::string entry(WithoutTrailingCr(positionCode));
    entry += "  ";
    entry += WithoutTrailingCr(name);
    return entry;
}

double SatelliteCodeFromText(std::string_view satelliteText)
{
    // Bytes, not characters: the conversion stops at the first byte that cannot be
    // part of a number, so a multibyte character cut in two changes nothing.
    return TextToDouble(satelliteText.substr(0, 4));
}
