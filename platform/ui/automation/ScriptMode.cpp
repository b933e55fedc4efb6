#include "platform/ui/automation/ScriptMode.h"

#include <atomic>

namespace {

std::atomic<bool> scriptActive{false};

struct ArmedSaveAs {
    bool armed = false;
    std::optional<std::wstring> answer;
};

ArmedSaveAs& Armed()
{
    static ArmedSaveAs armed; // UI thread only
    return armed;
}

} // namespace

bool ScriptModeActive() { return scriptActive.load(); }

void SetScriptModeActive(bool active)
{
    scriptActive = active;
    if (!active) {
        Armed() = ArmedSaveAs{};
    }
}

void ArmSaveAsAnswer(std::optional<std::wstring> answer)
{
    Armed().armed = true;
    Armed().answer = std::move(answer);
}

bool TakeSaveAsAnswer(std::optional<std::wstring>& answer)
{
    if (!Armed().armed) {
        return false;
    }
    answer = std::move(Armed().answer);
    Armed() = ArmedSaveAs{};
    return true;
}
