#include "platform/ui/CWnd.h"
#include "platform/ui/KeyRouter.h"
#include "platform/ui/KeyRoutingParts.h"

#include <vector>

// The key routing both toolkits share; what they see of the windows around a
// control and of its buttons is KeyRoutingParts.h.

bool RouteKeyPress(HWND target, WPARAM virtualKey, bool alt)
{
    const std::vector<CWnd*> chain = WindowsAround(target);
    if (chain.empty()) {
        return false;
    }
    MSG msg{};
    msg.hwnd = target;
    msg.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = virtualKey;
    for (CWnd* wnd : chain) {
        if (wnd->PreTranslateMessage(&msg)) {
            return true;
        }
    }
    if (alt && virtualKey == VK_SPACE) {
        chain.back()->TrackSystemMenu();
        return true;
    }
    if (alt) {
        return false;
    }
    switch (virtualKey) {
    case VK_RETURN:
        PressEnter(target, chain);
        return true;
    case VK_ESCAPE:
        chain.back()->SendCommand(IDCANCEL, BN_CLICKED);
        return true;
    case VK_F1:
        RouteHelpRequest(target);
        return true;
    default:
        return false;
    }
}

bool RouteHelpRequest(HWND target)
{
    HELPINFO info{};
#ifdef _WIN32
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
#endif
    info.hItemHandle = target;
    info.iCtrlId = HelpControlId(target);
    for (CWnd* wnd : WindowsAround(target)) {
        if (wnd->OnHelpInfo(&info)) {
            return true;
        }
    }
    return false;
}
