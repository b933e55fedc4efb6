#include "platform/ui/ShellExecute.h"

#include "platform/ui/automation/ScriptMode.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/ui/UiThread.h"

#include "platform/ui/ShellOpen.h"

#include <filesystem>
#include <string>

INT_PTR ShellExecute(HWND /*owner*/, LPCWSTR verb, LPCWSTR file, LPCWSTR /*parameters*/, LPCWSTR /*directory*/,
                     int /*show*/)
{
    const std::wstring action = verb ? verb : L"open";
    if (!file || action != L"open") {
        return SE_ERR_NOASSOC;
    }
    const std::wstring given = file;
    Transcript::Write("shell open " + Transcript::Quote(given));

    std::wstring native = given;
    for (wchar_t& c : native) {
        if (c == L'\\') c = L'/';
    }
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(native), error)) {
        return SE_ERR_FNF;
    }
    if (ScriptModeActive()) {
        return 42; // recorded; a script run starts no other program
    }
    bool opened = false;
    RunOnUiThread([&] { opened = ShellOpen(native); });
    return opened ? 42 : SE_ERR_NOASSOC;
}
