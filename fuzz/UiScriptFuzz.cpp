// The automation script parser: any bytes as a KAVRO_UI_SCRIPT file.
//
// Invariants: a command is refused exactly when it carries an error; commands
// come in line order, each naming a line of the script; parsing is
// deterministic.
#include "fuzz/FuzzCheck.h"
#include "platform/ui/automation/UiScript.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    const auto commands = UiScript::Parse(script);

    const auto lines = static_cast<int>(std::count(script.begin(), script.end(), '\n')) + 1;
    int previous = 0;
    for (const auto& command : commands) {
        FUZZ_CHECK((command.verb == UiScriptCommand::Verb::Invalid) == !command.error.empty());
        FUZZ_CHECK(command.line > previous && command.line <= lines);
        previous = command.line;
    }
    FUZZ_CHECK(UiScript::Parse(script).size() == commands.size());
    return 0;
}
