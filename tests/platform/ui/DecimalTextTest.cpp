#include "platform/ui/DecimalText.h"

#include "platform/com/WideText.h"

#include <gtest/gtest.h>

namespace {

TEST(DecimalText, ReadsWhatAnIntegerFieldHolds)
{
    struct Case {
        const char* text;
        bool isInt;
        int intValue;
        bool isUInt;
        UINT uintValue;
    } cases[] = {
        {"42", true, 42, true, 42},
        {"  42  ", true, 42, true, 42},
        {"+7", true, 7, true, 7},
        {"-5", true, -5, false, 0},
        {"", false, 0, false, 0},
        {"   ", false, 0, false, 0},
        {"12abc", false, 0, false, 0},
        {"1 2", false, 0, false, 0},
        {"-", false, 0, false, 0},
        {"2147483647", true, 2147483647, true, 2147483647u},
        {"2147483648", false, 0, true, 2147483648u},
        {"-2147483648", true, -2147483647 - 1, false, 0},
        {"4294967295", false, 0, true, 4294967295u},
        {"4294967296", false, 0, false, 0},
        {"99999999999999999999999", false, 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int i = 123;
        UINT u = 456;
        EXPECT_EQ(c.isInt, ParseInt32(FromUtf8(c.text), i));
        EXPECT_EQ(c.isInt ? c.intValue : 123, i) << "a failed read leaves the value";
        EXPECT_EQ(c.isUInt, ParseUInt32(FromUtf8(c.text), u));
        EXPECT_EQ(c.isUInt ? c.uintValue : 456u, u);
    }
}

} // namespace
