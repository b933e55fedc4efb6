#include "sim/tuner/IniText.h"

#include <gtest/gtest.h>

using sim::IniText;

namespace {

TEST(IniText, ReadsValuesAsAPrivateProfileReaderDoes)
{
    const IniText file("; comment\r\n[World]\r\nTuners = A,B  \r\nName=\"  quoted \"\r\nempty=\r\n"
                       "key=first\r\nKEY=second\r\n[world]\r\nlater=1\r\n[Broken\r\nlost=1\r\n"
                       "[Tuner.A]\r\nName=Kavro N71 DVBS/S2 Tuner ; not a comment here\r\nnoequals\r\n");
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"World", "Tuners", "A,B"},
        {"WORLD", "tuners", "A,B"},
        {"World", "Name", "  quoted "},
        {"World", "empty", ""},
        {"World", "key", "first"},
        {"World", "later", std::nullopt}, // only the first section of a name counts
        {"Broken", "lost", std::nullopt},
        {"Tuner.A", "Name", "Kavro N71 DVBS/S2 Tuner ; not a comment here"},
        {"Tuner.A", "noequals", std::nullopt},
        {"Missing", "Name", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(file.Get(c.section, c.key), c.value);
    }
}

TEST(IniText, InlineCommentsWhenAsked)
{
    const IniText file("[W]\nA=1 ; one\nB=x;y\nC=\t; only a comment\n", IniText::Options{true});
    EXPECT_EQ(file.Get("W", "A"), "1");
    EXPECT_EQ(file.Get("W", "B"), "x;y");
    EXPECT_EQ(file.Get("W", "C"), "");
}

} // namespace
