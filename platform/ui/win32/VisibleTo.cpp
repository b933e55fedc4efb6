#include "platform/ui/win32/VisibleTo.h"

namespace {

// Every window from window up to, not including, its top-level one.
template <class Check>
bool AllUpToRoot(HWND window, Check check)
{
    for (HWND at = window; at && (GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD); at = ::GetParent(at)) {
        if (!check(static_cast<DWORD>(GetWindowLongPtrW(at, GWL_STYLE)))) return false;
    }
    return window != nullptr;
}

} // namespace

bool IsVisibleToRoot(HWND window)
{
    return AllUpToRoot(window, [](DWORD style) { return (style & WS_VISIBLE) != 0; });
}

bool IsEnabledToRoot(HWND window)
{
    return AllUpToRoot(window, [](DWORD style) { return (style & WS_DISABLED) == 0; });
}
