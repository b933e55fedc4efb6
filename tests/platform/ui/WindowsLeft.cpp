#include "tests/platform/ui/WindowsLeft.h"

#ifdef _WIN32
#include <string_view>
#include <windows.h>
#else
#include <QApplication>
#endif

bool ToolkitWindowsLeft()
{
#ifdef _WIN32
    // Shown or hidden top-level windows of this thread; message-only windows
    // (the UI thread's, the script's timers) are no top-level windows.
    bool left = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            // The IME windows the system keeps for each thread are not the toolkit's.
            if (std::wstring_view(name) == L"IME" || std::wstring_view(name) == L"MSCTFIME UI") return TRUE;
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&left));
    return left;
#else
    return !QApplication::topLevelWidgets().isEmpty();
#endif
}
