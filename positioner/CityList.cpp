#include "positioner/CityList.h"

#include "platform/com/WideText.h"
#include "platform/files/ProfileText.h"
#include "platform/files/TextFile.h"

#include <functional>

namespace {

// Calls visit for each line of the file until it returns false. False when the
// file cannot be opened.
bool ForEachLine(std::wstring_view file, const std::function<bool(const CityLine&)>& visit)
{
    TextFile text;
    if (!text.Open(std::wstring(file).c_str())) {
        return false;
    }
    for (std::string line; text.ReadLine(line);) {
        // Text as the satellite files are read: UTF-8 where it is valid, any
        // other byte the 8-bit character of its value ("C\xF4te d'Ivoire").
        if (!visit(SplitCityLine(ToUtf8(DecodeProfileBytes(line))))) {
            break;
        }
    }
    return true;
}

// Follows one country through the file: true while the line belongs to the
// country's first group or comes before it; false once a line of another
// country follows the group.
class CountryGroup {
public:
    explicit CountryGroup(std::string_view country) : m_country(country) {}

    // Whether line is one of the country's, and whether reading goes on.
    bool Member(const CityLine& line) const { return line.country == m_country; }
    bool Continue(const CityLine& line)
    {
        if (Member(line)) {
            m_met = true;
            return true;
        }
        return !m_met;
    }

private:
    std::string_view m_country;
    bool m_met = false;
};

} // namespace

std::optional<std::vector<std::string>> CityListCountries(std::wstring_view file)
{
    std::vector<std::string> countries;
    const bool opened = ForEachLine(file, [&](const CityLine& line) {
        countries.push_back(line.country);
        return true;
    });
    if (!opened) {
        return std::nullopt;
    }
    return countries;
}

std::optional<CountryCities> CityListCities(std::wstring_view file, std::string_view country)
{
    CountryCities result;
    CountryGroup group(country);
    const bool opened = ForEachLine(file, [&](const CityLine& line) {
        if (country.empty() || !group.Continue(line)) {
            return false;
        }
        if (group.Member(line)) {
            result.cities.push_back(line.city);
            if (!result.first) {
                result.first = line;
            }
        }
        return true;
    });
    if (!opened) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::optional<CityLine>> CityListPosition(std::wstring_view file, std::string_view country,
                                                        std::string_view city)
{
    std::optional<CityLine> found;
    const bool opened = ForEachLine(file, [&](const CityLine& line) {
        if (line.country != country) {
            // Another country after a match ends the search; before one, the city
            // may still come in a later group of the country.
            return !found;
        }
        // A later equal line replaces an earlier one.
        if (line.city == city) {
            found = line;
        }
        return true;
    });
    if (!opened) {
        return std::nullopt;
    }
    return found;
}
