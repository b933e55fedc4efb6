#include "positioner/TextNumber.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

struct DoubleCase {
    const char* name;
    std::string_view text;
    double value;
};

TEST(TextNumber, TextToDoubleReadsTheLeadingNumber)
{
    using namespace std::string_view_literals;
    const DoubleCase cases[] = {
        {"decimal", "48.86", 48.86},
        {"leading blanks and minus", " \t-0.1167", -0.1167},
        {"plus sign", "+2.35", 2.35},
        {"trailing hemisphere letter", "45.76N", 45.76},
        {"trailing letter keeps the sign", "3.7W", 3.7},
        {"second tab field after the number", "2.35\tE", 2.35},
        {"exponent", "1e2", 100},
        {"incomplete exponent stops before e", "7e", 7},
        {"no integer part", ".5", 0.5},
        {"hexadecimal", "0x10", 16},
        {"hexadecimal fraction and binary exponent", "0X1.8p1", 3},
        {"0x without a hexadecimal digit is a zero", "0xg", 0},
        {"a second sign is no number", "+-5", 0},
        {"too small for a double", "1e-999", 0},
        {"below the smallest normal double", "4e-320", 4e-320},
        {"comma ends the number", "48,86", 48},
        {"empty", "", 0},
        {"no number", "abc", 0},
        {"sign alone", "-", 0},
        {"embedded NUL ends the text",
         "12\0"
         "5"sv,
         12},
        {"view shorter than its buffer", "123456"sv.substr(0, 3), 123},
        {"trailing carriage return", "51.5\r", 51.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextToDouble(c.text), c.value);
    }
}

TEST(TextNumber, TextToDoubleKeepsNonFiniteValuesForTheCallerToRefuse)
{
    EXPECT_TRUE(std::isnan(TextToDouble("nan")));
    EXPECT_TRUE(std::isnan(TextToDouble(" NAN(123)")));
    EXPECT_EQ(TextToDouble("inf"), HUGE_VAL);
    EXPECT_EQ(TextToDouble("-Infinity"), -HUGE_VAL);
    EXPECT_EQ(TextToDouble("1e999"), HUGE_VAL);
    EXPECT_EQ(TextToDouble("-0x1p99999"), -HUGE_VAL);
    EXPECT_EQ(TextToDouble("123456789e-99999999999"), 0.0) << "an exponent beyond any integer type";
    EXPECT_TRUE(std::signbit(TextToDouble("-0 10'")));
}

struct LongCase {
    const char* name;
    const char* text;
    long value;
};

TEST(TextNumber, TextToLongReadsLeadingDecimalDigits)
{
    const LongCase cases[] = {
        {"plain", "12", 12},
        {"beyond a byte", "300", 300},
        {"negative", "-1", -1},
        {"empty", "", 0},
        {"blanks then digits then letters", "  7x", 7},
        {"plus sign", "+5", 5},
        {"decimal point ends it", "1.9", 1},
        {"hexadecimal prefix is not read", "0x10", 0},
        {"too large is held at the end", "99999999999999999999999", LONG_MAX},
        {"too small is held at the end", "-99999999999999999999999", LONG_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextToLong(c.text), c.value);
    }
}

// Puts the process's numeric locale on German (decimal comma) for one test, compiling
// the locale into a temporary folder when the system has not installed it.
class DecimalCommaLocale {
public:
    DecimalCommaLocale()
    {
#ifdef _WIN32
        // Windows has every locale installed, under its own names.
        std::setlocale(LC_NUMERIC, "German_Germany");
#else
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
            return;
        }
        const std::string target = (m_folder / "de_DE.UTF-8").string();
        const std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            return;
        }
        setenv("LOCPATH", m_folder.path().c_str(), 1);
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
#endif
    }
    ~DecimalCommaLocale()
    {
        std::setlocale(LC_NUMERIC, "C");
#ifndef _WIN32
        unsetenv("LOCPATH");
#endif
    }
    bool active() const { return std::string(std::localeconv()->decimal_point) == ","; }

private:
    TempDir m_folder;
};

TEST(TextNumber, ConversionIgnoresTheProcessLocale)
{
    DecimalCommaLocale german;
    if (!german.active()) {
        GTEST_SKIP() << "no German locale could be built (the locales package is missing)";
    }
    // What the plain C library reads under that locale: the reason for TextToDouble.
    ASSERT_EQ(std::strtod("48.86", nullptr), 48.0);

    EXPECT_EQ(TextToDouble("48.86"), 48.86);
    EXPECT_EQ(TextToDouble("48,86"), 48.0);
    EXPECT_EQ(TextToDouble("-0.1167"), -0.1167);
    EXPECT_EQ(TextToLong("1.5"), 1);
    EXPECT_TRUE(german.active()) << "the conversion changed the process locale";
}

} // namespace
