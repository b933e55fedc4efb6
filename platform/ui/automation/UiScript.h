#pragma once
// A UI script as commands: UTF-8 text, one command a line, blank lines and
// lines starting with '#' skipped. A line that cannot be read becomes a
// command carrying its error, reported when the script reaches it. The
// commands and their meaning are documented in docs/automation.md. Pure.
#include <string>
#include <string_view>
#include <vector>

struct UiScriptCommand {
    enum class Verb {
        Invalid,
        Click,
        DblClick,
        Text,
        Select,
        Pick,
        Focus,
        Key,
        Page,
        Wait,
        WaitText,
        SaveAs,
        SysCommand,
        Help,
        DeviceRemoval,
        Close,
        Dump,
    };

    int line = 0;
    Verb verb = Verb::Invalid;
    bool hasId = false;
    int id = 0;
    long long number = 0; // INDEX, MS, N
    std::string text;     // TEXT, PATH, or "enter"/"escape" for key; UTF-8
    bool cancel = false;  // save-as cancel
    std::string error;    // why the line could not be read
};

class UiScript {
public:
    static std::vector<UiScriptCommand> Parse(std::string_view script);
};
