#include "positioner/CityLine.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    std::string_view line;
    std::string_view country;
    std::string_view city;
    std::string_view latitude;
    std::string_view longitude;
};

TEST(CityLine, FieldsAreCutAtSingleTabs)
{
    using namespace std::string_view_literals;
    const Case cases[] = {
        {"four fields", "France\tParis\t48.86\t2.35", "France", "Paris", "48.86", "2.35"},
        {"Windows line end", "France\tLyon\t45.76\t4.84\r", "France", "Lyon", "45.76", "4.84"},
        {"carriage return alone", "\r", "", "", "", ""},
        {"fourth tab stays in the longitude", "France\tParis\t48.86\t2.35\tE", "France", "Paris", "48.86", "2.35\tE"},
        {"fourth tab and a Windows line end", "France\tParis\t48.86\t2.35\tE\r", "France", "Paris", "48.86", "2.35\tE"},
        {"nothing is trimmed", " France \t Paris\t48.86 \t 2.35 ", " France ", " Paris", "48.86 ", " 2.35 "},
        {"double tab makes an empty city", "France\t\t48.86\t2.35", "France", "", "48.86", "2.35"},
        {"empty longitude after the third tab", "France\tParis\t48.86\t", "France", "Paris", "48.86", ""},
        {"three tabs only", "\t\t\t", "", "", "", ""},
        {"no tab: no country", "France", "", "", "", ""},
        {"empty line", "", "", "", "", ""},
        {"one tab: country only", "France\tParis", "France", "", "", ""},
        {"two tabs: no latitude without its closing tab", "France\tParis\t48.86", "France", "Paris", "", ""},
        {"carriage return inside a field stays", "Fr\ran\tParis\t1\t2", "Fr\ran", "Paris", "1", "2"},
        {"multibyte names pass unchanged", "C\xC3\xB4te d'Ivoire\tAbidjan\t5.32\t-4.02", "C\xC3\xB4te d'Ivoire",
         "Abidjan", "5.32", "-4.02"},
        {"NUL bytes are text", "A\0B\tC\t1\t2"sv, "A\0B"sv, "C", "1", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CityLine fields = SplitCityLine(c.line);
        EXPECT_EQ(fields.country, c.country);
        EXPECT_EQ(fields.city, c.city);
        EXPECT_EQ(fields.latitude, c.latitude);
        EXPECT_EQ(fields.longitude, c.longitude);
    }
}

} // namespace
