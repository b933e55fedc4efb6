// The city list reader: any bytes as CityList.txt, read the way the
// Motor/Positioner page reads it (countries, a country's cities, a city's
// position), each line cut into fields and the fields converted to numbers.
//
// Invariants: the fields of a line are its text between the tabs;
// the readers agree with each other (every country listed has cities, every city
// listed has a position); the number conversions match the C library's in the
// "C" locale.
#include "fuzz/FuzzCheck.h"
#include "platform/files/WinPath.h"
#include "positioner/CityLine.h"
#include "positioner/CityList.h"
#include "positioner/TextNumber.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

namespace {

void CheckNumbers(std::string_view field)
{
    if (field.find('\0') != std::string_view::npos) {
        (void)TextToDouble(field);
        (void)TextToLong(field);
        return;
    }
    const std::string text(field);
    const double expected = std::strtod(text.c_str(), nullptr);
    const double converted = TextToDouble(field);
    FUZZ_CHECK((std::isnan(expected) && std::isnan(converted)) || expected == converted);
    FUZZ_CHECK(TextToLong(field) == std::strtol(text.c_str(), nullptr, 10));
}

void CheckLine(std::string_view line)
{
    const CityLine fields = SplitCityLine(line);
    std::string_view whole = line;
    if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
    const std::size_t tabs = static_cast<std::size_t>(std::count(whole.begin(), whole.end(), '\t'));
    // A field exists only when the tab that ends it does (the longitude: the one
    // that starts it); the fields that exist are the line's text between the tabs.
    std::string prefix;
    if (tabs >= 1) prefix = fields.country + "\t";
    if (tabs >= 2) prefix += fields.city + "\t";
    if (tabs >= 3) {
        FUZZ_CHECK(prefix + fields.latitude + "\t" + fields.longitude == whole);
    } else {
        FUZZ_CHECK(whole.substr(0, prefix.size()) == prefix);
        FUZZ_CHECK(fields.latitude.empty() && fields.longitude.empty());
        if (tabs < 2) FUZZ_CHECK(fields.city.empty());
        if (tabs < 1) FUZZ_CHECK(fields.country.empty());
    }
    CheckNumbers(fields.latitude);
    CheckNumbers(fields.longitude);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        CheckLine(bytes.substr(start, end - start));
        start = end + 1;
    }

    const auto local = FuzzFolder() / "CityList.txt";
    WriteFuzzFile(local, bytes);
    const std::wstring file = WindowsPath(local);

    const auto countries = CityListCountries(file);
    FUZZ_CHECK(countries.has_value());
    int asked = 0;
    for (const auto& country : *countries) {
        if (country.empty() || ++asked > 4) continue;
        const auto cities = CityListCities(file, country);
        FUZZ_CHECK(cities.has_value());
        FUZZ_CHECK(!cities->cities.empty());
        FUZZ_CHECK(cities->first.has_value() && cities->first->country == country);
        for (std::size_t i = 0; i < cities->cities.size() && i < 4; ++i) {
            const auto position = CityListPosition(file, country, cities->cities[i]);
            FUZZ_CHECK(position.has_value());
            FUZZ_CHECK(position->has_value());
            FUZZ_CHECK((*position)->country == country && (*position)->city == cities->cities[i]);
        }
    }
    (void)CityListPosition(file, "", "");
    return 0;
}
