#include "positioner/SatelliteEntry.h"

#include <gtest/gtest.h>

namespace {

TEST(SatelliteEntry, EntryIsCodeTwoBlanksName)
{
    const struct {
        const char* name;
        const char* code;
        const char* satellite;
        const char* entry;
    } cases[] = {
        {"listed satellite", "0192", "Astra 1KR", "0192  Astra 1KR"},
        {"western position", "3300", "Hispasat 30W-5", "3300  Hispasat 30W-5"},
        {"file without the section", "", "", "  "},
        {"name missing", "0130", "", "0130  "},
        {"Windows line ends in both values", "0235\r", "Astra 3B\r", "0235  Astra 3B"},
        {"blanks are kept", " 192", "Astra ", " 192  Astra "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SatelliteListEntry(c.code, c.satellite), c.entry);
    }
}

TEST(SatelliteEntry, CodeIsTheValueOfTheFirstFourCharacters)
{
    const struct {
        const char* text;
        double code;
    } cases[] = {
        {"0192  Astra 1KR", 192}, {"3300  Hispasat", 3300}, {"0192", 192}, {"019", 19}, {"19.2", 19.2}, {"12345", 1234},
        {"  19  Astra", 19},      {"1e3 x", 1000},          {"Astra", 0},  {"", 0},     {"  ", 0},      {"01,5", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SatelliteCodeFromText(c.text), c.code);
    }
}

} // namespace
