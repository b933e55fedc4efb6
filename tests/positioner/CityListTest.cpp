#include "positioner/CityList.h"

#include "platform/files/TextFile.h"
#include "platform/files/WinPath.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class CityListTest : public ::testing::Test {
protected:
    // Writes CityList.txt with these bytes; its Windows path text.
    std::wstring Write(const std::string& bytes)
    {
        TempDir::WriteFile(m_dir / "CityList.txt", bytes);
        return WindowsPath(m_dir / "CityList.txt");
    }

    TempDir m_dir;
};

std::vector<std::string> Coordinates(const std::optional<CityLine>& line)
{
    if (!line) return {};
    return {line->latitude, line->longitude};
}

TEST_F(CityListTest, CitiesOfTheFirstGroupWithTheFirstLinesCoordinates)
{
    struct Case {
        const char* name;
        std::string file;
        std::string country;
        std::vector<std::string> cities;
        std::vector<std::string> first;
    };
    const Case cases[] = {
        {"two cities of one country",
         "France\tParis\t48.86\t2.35\nFrance\tLyon\t45.76\t4.84\n",
         "France",
         {"Paris", "Lyon"},
         {"48.86", "2.35"}},
        {"a group split in two: only the first",
         "Chad\tA\t1\t2\nMali\tB\t3\t4\nChad\tC\t5\t6\n",
         "Chad",
         {"A"},
         {"1", "2"}},
        {"lines of other countries before the group",
         "Mali\tB\t3\t4\nChad\tA\t1\t2\nChad\tC\t5\t6\n",
         "Chad",
         {"A", "C"},
         {"1", "2"}},
        {"names differing in case are other countries",
         "France\tParis\t1\t2\nfrance\tNice\t3\t4\n",
         "France",
         {"Paris"},
         {"1", "2"}},
        {"a blank line ends the group", "Chad\tA\t1\t2\n\nChad\tC\t5\t6\n", "Chad", {"A"}, {"1", "2"}},
        {"the same city twice is listed twice", "Chad\tA\t1\t2\nChad\tA\t3\t4\n", "Chad", {"A", "A"}, {"1", "2"}},
        {"a fourth tab stays in the longitude", "Chad\tA\t1\t2.35\tE\n", "Chad", {"A"}, {"1", "2.35\tE"}},
        {"Windows line ends never reach a field", "Chad\tA\t1\t2\r\n", "Chad", {"A"}, {"1", "2"}},
        {"no line of the country", "Chad\tA\t1\t2\n", "Mali", {}, {}},
        {"no country chosen lists nothing", "\tA\t1\t2\n", "", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto cities = CityListCities(Write(c.file), c.country);
        ASSERT_TRUE(cities);
        EXPECT_EQ(cities->cities, c.cities);
        EXPECT_EQ(Coordinates(cities->first), c.first);
    }
}

TEST_F(CityListTest, PositionIsTheLastEqualLineBeforeAnotherCountry)
{
    struct Case {
        const char* name;
        std::string file;
        std::string country;
        std::string city;
        std::vector<std::string> position; // empty: no line matches
    };
    const Case cases[] = {
        {"the chosen city",
         "France\tParis\t48.86\t2.35\nFrance\tLyon\t45.76\t4.84\n",
         "France",
         "Lyon",
         {"45.76", "4.84"}},
        {"a later equal line replaces an earlier one", "Chad\tA\t1\t2\nChad\tA\t3\t4\n", "Chad", "A", {"3", "4"}},
        {"another country after the match stops",
         "Chad\tA\t1\t2\nMali\tX\t0\t0\nChad\tA\t5\t6\n",
         "Chad",
         "A",
         {"1", "2"}},
        {"without a match a later group is searched",
         "Chad\tB\t1\t2\nMali\tX\t0\t0\nChad\tA\t5\t6\n",
         "Chad",
         "A",
         {"5", "6"}},
        {"city names compare with case", "Chad\tA\t1\t2\n", "Chad", "a", {}},
        {"the same city of another country is not it", "Mali\tA\t1\t2\n", "Chad", "A", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto position = CityListPosition(Write(c.file), c.country, c.city);
        ASSERT_TRUE(position);
        EXPECT_EQ(Coordinates(*position), c.position);
    }
}

TEST_F(CityListTest, EightBitTextIsReadAsTheSatelliteFilesAre)
{
    // An 8-bit country beside a UTF-8 one: both come back in UTF-8, and the
    // 8-bit one is found by its UTF-8 name.
    const std::wstring file = Write("C\xF4te d'Ivoire\tAbidjan\t5.36\t-4.01\n"
                                    "S\xC3\xA3o Tom\xC3\xA9\tS\xC3\xA3o Tom\xC3\xA9\t0.34\t6.73\n");
    EXPECT_EQ(CityListCountries(file), (std::vector<std::string>{"C\xC3\xB4te d'Ivoire", "S\xC3\xA3o Tom\xC3\xA9"}));
    const auto cities = CityListCities(file, "C\xC3\xB4te d'Ivoire");
    ASSERT_TRUE(cities);
    EXPECT_EQ(cities->cities, std::vector<std::string>{"Abidjan"});
    EXPECT_EQ(Coordinates(cities->first), (std::vector<std::string>{"5.36", "-4.01"}));
    const auto position = CityListPosition(file, "C\xC3\xB4te d'Ivoire", "Abidjan");
    ASSERT_TRUE(position && *position);
    EXPECT_EQ(Coordinates(*position), (std::vector<std::string>{"5.36", "-4.01"}));
}

TEST_F(CityListTest, AMissingFileIsToldApartFromAnEmptyOne)
{
    const std::wstring missing = WindowsPath(m_dir / "CityList.txt");
    EXPECT_FALSE(CityListCountries(missing));
    EXPECT_FALSE(CityListCities(missing, "France"));
    EXPECT_FALSE(CityListPosition(missing, "France", "Paris"));

    const std::wstring empty = Write("");
    ASSERT_TRUE(CityListCountries(empty));
    EXPECT_TRUE(CityListCountries(empty)->empty());
    ASSERT_TRUE(CityListPosition(empty, "France", "Paris"));
    EXPECT_FALSE(*CityListPosition(empty, "France", "Paris"));
}

// Bytes no editor wrote: random binary with NUL and bare carriage returns, a
// line beyond the reader's line limit, numbers beyond any range, lines with
// fields missing. The good lines around them still read as written. (A Ctrl-Z
// byte ends a text file, as in Windows text mode; the binary here has none.)
TEST_F(CityListTest, GarbageAroundGoodLinesLeavesTheGoodLinesReadable)
{
    std::string binary;
    for (int i = 0; i < 65536; ++i) {
        const char byte = static_cast<char>((i * 2654435761u >> 13) & 0xFF);
        binary += byte == '\x1A' ? '\0' : byte;
    }
    const std::string overlong(TextFile::kMaxLineBytes + 4096, '\t');
    struct Case {
        const char* name;
        std::string before;
    } cases[] = {
        {"binary bytes without a line end", binary + "\n"},
        {"a line longer than the reader keeps", "Chad\t" + overlong + "\n"},
        {"numbers beyond any range",
         "Mali\tBamako\t1e400\t-99999999999999999999999999\n"
         "Mali\tGao\t0x7FFFFFFFFFFFFFFFFF\t-1e-400\n"},
        {"fields missing", "Mali\nMali\tBamako\nMali\tGao\t16.27\n\t\t\t\n"},
        {"carriage returns without line feeds", "Mali\rBamako\r1\r2\r\r\n"},
    };
    const std::string good = "Niger\tNiamey\t13.51\t2.11\nNiger\tZinder\t13.80\t8.99\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring file = Write(c.before + good + c.before);
        const auto countries = CityListCountries(file);
        ASSERT_TRUE(countries);
        EXPECT_NE(std::find(countries->begin(), countries->end(), "Niger"), countries->end());
        const auto cities = CityListCities(file, "Niger");
        ASSERT_TRUE(cities);
        EXPECT_EQ(cities->cities, (std::vector<std::string>{"Niamey", "Zinder"}));
        EXPECT_EQ(Coordinates(cities->first), (std::vector<std::string>{"13.51", "2.11"}));
        const auto position = CityListPosition(file, "Niger", "Zinder");
        ASSERT_TRUE(position);
        EXPECT_EQ(Coordinates(*position), (std::vector<std::string>{"13.80", "8.99"}));
        EXPECT_EQ(TempDir::ReadFile(m_dir / "CityList.txt"), c.before + good + c.before) << "reading changes nothing";
    }
}

} // namespace
