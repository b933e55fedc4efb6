#include "platform/ui/automation/UiScript.h"

#include <charconv>
#include <optional>

namespace {

using Verb = UiScriptCommand::Verb;

// Reads the next blank-separated word from rest, leaving rest after it and
// after the single blank that follows it.
std::string_view NextWord(std::string_view& rest)
{
    const auto end = rest.find(' ');
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return word;
}

std::optional<long long> Number(std::string_view word)
{
    long long value = 0;
    const auto* first = word.data();
    const auto* last = word.data() + word.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (word.empty() || error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

struct Syntax {
    std::string_view name;
    Verb verb;
    bool id;     // takes an ID
    bool number; // takes a number (INDEX, MS, N)
    bool text;   // takes the rest of the line
    bool optionalId;
};

constexpr Syntax kSyntax[] = {
    {"click", Verb::Click, true, false, false, false},
    {"dblclick", Verb::DblClick, true, false, false, false},
    {"text", Verb::Text, true, false, true, false},
    {"select", Verb::Select, true, true, false, false},
    {"pick", Verb::Pick, true, false, true, false},
    {"focus", Verb::Focus, true, false, false, false},
    {"key", Verb::Key, false, false, true, false},
    {"page", Verb::Page, false, true, false, false},
    {"wait", Verb::Wait, false, true, false, false},
    {"wait-text", Verb::WaitText, true, true, true, false},
    {"save-as", Verb::SaveAs, false, false, true, false},
    {"syscommand", Verb::SysCommand, false, true, false, false},
    {"help", Verb::Help, false, false, false, false},
    {"device-removal", Verb::DeviceRemoval, false, false, false, false},
    {"close", Verb::Close, false, false, false, false},
    {"dump", Verb::Dump, false, false, false, true},
};

UiScriptCommand ParseLine(std::string_view body, int line)
{
    UiScriptCommand command;
    command.line = line;
    std::string_view rest = body;
    const std::string_view name = NextWord(rest);
    const Syntax* syntax = nullptr;
    for (const Syntax& each : kSyntax) {
        if (each.name == name) syntax = &each;
    }
    if (!syntax) {
        command.error = "unknown command \"" + std::string(name) + "\"";
        return command;
    }
    if (syntax->id || (syntax->optionalId && !rest.empty())) {
        const auto id = Number(NextWord(rest));
        if (!id || *id < -1 || *id > 0xFFFF) {
            command.error = std::string(name) + " needs a control id";
            return command;
        }
        command.hasId = true;
        command.id = static_cast<int>(*id);
    }
    if (syntax->number) {
        const auto number = Number(NextWord(rest));
        if (!number) {
            command.error = std::string(name) + " needs a number";
            return command;
        }
        command.number = *number;
    }
    if (syntax->text) {
        command.text = std::string(rest);
    } else if (!rest.empty()) {
        command.error = "unexpected text after " + std::string(name);
        return command;
    }
    switch (syntax->verb) {
    case Verb::Key:
        if (command.text != "enter" && command.text != "escape") {
            command.error = "key needs enter or escape";
            return command;
        }
        break;
    case Verb::Wait:
    case Verb::WaitText:
        if (command.number < 0) {
            command.error = std::string(name) + " needs a time of 0 ms or more";
            return command;
        }
        break;
    case Verb::SaveAs:
        if (command.text.empty()) {
            command.error = "save-as needs a path or cancel";
            return command;
        }
        command.cancel = command.text == "cancel";
        break;
    default:
        break;
    }
    command.verb = syntax->verb;
    return command;
}

} // namespace

std::vector<UiScriptCommand> UiScript::Parse(std::string_view script)
{
    std::vector<UiScriptCommand> commands;
    if (script.starts_with("\xEF\xBB\xBF")) {
        script.remove_prefix(3); // a byte-order mark some editors write
    }
    int line = 0;
    while (!script.empty()) {
        ++line;
        const auto end = script.find('\n');
        std::string_view text = script.substr(0, end);
        script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos || text[first] == '#') {
            continue;
        }
        commands.push_back(ParseLine(text.substr(first), line));
    }
    return commands;
}
