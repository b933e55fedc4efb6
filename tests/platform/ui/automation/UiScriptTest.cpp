#include "platform/ui/automation/UiScript.h"

#include <gtest/gtest.h>

namespace {

using Verb = UiScriptCommand::Verb;

TEST(UiScript, ReadsCommandsWithTheirArguments)
{
    const auto commands = UiScript::Parse("\xEF\xBB\xBF# comment\r\n"
                                          "click 1036\r\n"
                                          "\n"
                                          "   # indented comment\n"
                                          "text 1012 10 750 \n"
                                          "text 1012\n"
                                          "select 1003 -1\n"
                                          "pick 1093 0192  Astra # not a comment\n"
                                          "key escape\n"
                                          "wait-text 1032 3000 LOCKED\n"
                                          "save-as cancel\n"
                                          "save-as /tmp/a b.ts\n"
                                          "syscommand 16\n"
                                          "dump\n"
                                          "dump 1049\n"
                                          "device-removal");
    struct Expect {
        int line;
        Verb verb;
        bool hasId;
        int id;
        long long number;
        std::string text;
        bool cancel;
    } expected[] = {
        {2, Verb::Click, true, 1036, 0, "", false},
        {5, Verb::Text, true, 1012, 0, "10 750 ", false},
        {6, Verb::Text, true, 1012, 0, "", false},
        {7, Verb::Select, true, 1003, -1, "", false},
        {8, Verb::Pick, true, 1093, 0, "0192  Astra # not a comment", false},
        {9, Verb::Key, false, 0, 0, "escape", false},
        {10, Verb::WaitText, true, 1032, 3000, "LOCKED", false},
        {11, Verb::SaveAs, false, 0, 0, "cancel", true},
        {12, Verb::SaveAs, false, 0, 0, "/tmp/a b.ts", false},
        {13, Verb::SysCommand, false, 0, 16, "", false},
        {14, Verb::Dump, false, 0, 0, "", false},
        {15, Verb::Dump, true, 1049, 0, "", false},
        {16, Verb::DeviceRemoval, false, 0, 0, "", false},
    };
    ASSERT_EQ(std::size(expected), commands.size());
    for (size_t i = 0; i < commands.size(); ++i) {
        SCOPED_TRACE(expected[i].line);
        const UiScriptCommand& c = commands[i];
        EXPECT_EQ("", c.error);
        EXPECT_EQ(expected[i].line, c.line);
        EXPECT_EQ(expected[i].verb, c.verb);
        EXPECT_EQ(expected[i].hasId, c.hasId);
        EXPECT_EQ(expected[i].id, c.id);
        EXPECT_EQ(expected[i].number, c.number);
        EXPECT_EQ(expected[i].text, c.text);
        EXPECT_EQ(expected[i].cancel, c.cancel);
    }
}

TEST(UiScript, LinesThatCannotBeReadCarryTheirReason)
{
    struct Case {
        const char* line;
        const char* error;
    } cases[] = {
        {"frobnicate 3", "unknown command \"frobnicate\""},
        {"click", "click needs a control id"},
        {"click x12", "click needs a control id"},
        {"click 12 now", "unexpected text after click"},
        {"select 1003", "select needs a number"},
        {"select 1003 two", "select needs a number"},
        {"key up", "key needs enter or escape"},
        {"wait -5", "wait needs a time of 0 ms or more"},
        {"wait-text 1032 x LOCKED", "wait-text needs a number"},
        {"save-as", "save-as needs a path or cancel"},
        {"close now", "unexpected text after close"},
        {"page", "page needs a number"},
        {"Click 1", "unknown command \"Click\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto commands = UiScript::Parse(std::string("wait 0\n") + c.line);
        ASSERT_EQ(2u, commands.size());
        EXPECT_EQ(c.error, commands[1].error);
        EXPECT_EQ(2, commands[1].line);
    }
}

} // namespace
