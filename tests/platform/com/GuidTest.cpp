#include "platform/com/Guid.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID kGraph = GuidLiteral("{E436EBB3-524F-11CE-9F53-0020AF0BA770}");

TEST(Guid, LiteralFieldsFollowTheRegistryForm)
{
    EXPECT_EQ(kGraph.Data1, 0xE436EBB3u);
    EXPECT_EQ(kGraph.Data2, 0x524Fu);
    EXPECT_EQ(kGraph.Data3, 0x11CEu);
    const std::uint8_t tail[8] = {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(kGraph.Data4[i], tail[i]) << i;
    }
}

TEST(Guid, FormatThenParseRoundTrips)
{
    const char* texts[] = {"{E436EBB3-524F-11CE-9F53-0020AF0BA770}", "{00000000-0000-0000-0000-000000000000}",
                           "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}", "{90D647A7-DFBB-48F9-861F-33F3660C03FD}"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        auto parsed = GuidFromString(text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(GuidToString(*parsed), text);
    }
}

TEST(Guid, ParseAcceptsLowerCaseAndFormatsUpperCase)
{
    auto parsed = GuidFromString("{e436ebb3-524f-11ce-9f53-0020af0ba770}");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, kGraph);
    EXPECT_EQ(GuidToString(*parsed), "{E436EBB3-524F-11CE-9F53-0020AF0BA770}");
}

TEST(Guid, MalformedTextsAreRejected)
{
    struct Case {
        const char* name;
        const char* text;
    } cases[] = {
        {"empty", ""},
        {"no braces", "E436EBB3-524F-11CE-9F53-0020AF0BA770"},
        {"missing closing brace", "{E436EBB3-524F-11CE-9F53-0020AF0BA770"},
        {"one digit short", "{E436EBB3-524F-11CE-9F53-0020AF0BA77}"},
        {"one digit long", "{E436EBB3-524F-11CE-9F53-0020AF0BA7700}"},
        {"dash moved", "{E436EBB-3524F-11CE-9F53-0020AF0BA770}"},
        {"not hex", "{E436EBG3-524F-11CE-9F53-0020AF0BA770}"},
        {"blank inside", "{E436EBB3-524F-11CE-9F53-0020AF0BA77 }"},
        {"trailing text", "{E436EBB3-524F-11CE-9F53-0020AF0BA770}x"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(GuidFromString(c.text)) << c.name;
    }
}

TEST(Guid, EqualityComparesEveryByte)
{
    GUID other = kGraph;
    EXPECT_EQ(other, kGraph);
    other.Data4[7] ^= 1;
    EXPECT_FALSE(other == kGraph);
    EXPECT_FALSE(GUID_NULL == kGraph);
}

} // namespace
