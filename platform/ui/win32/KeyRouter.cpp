#include "platform/ui/KeyRouter.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/win32/VisibleTo.h"
#include "platform/ui/win32/WindowMessages.h"
#include "platform/ui/win32/WindowTags.h"

#include <vector>

namespace {

constexpr int kDepth = 16; // far more windows around a control than the toolkit nests

std::vector<CWnd*> WindowsAround(HWND target)
{
    CWnd* chain[kDepth];
    int count = 0;
    WindowMessages::WindowsAround(target, chain, count, kDepth);
    return std::vector<CWnd*>(chain, chain + count);
}

CButton* DefaultButtonOf(const CWnd* wnd)
{
    for (const auto& control : wnd->Controls()) {
        HWND button = control->GetSafeHwnd();
        if (button && ControlKindOf(button) == ControlKind::PushButton && (ControlStyleOf(button) & BS_DEFPUSHBUTTON) &&
            IsVisibleToRoot(button)) {
            return static_cast<CButton*>(control.get());
        }
    }
    return nullptr;
}

// The control object of a push button, found among its window's controls.
CButton* PushButtonObject(HWND target, const std::vector<CWnd*>& chain)
{
    if (!IsTaggedControl(target) || ControlKindOf(target) != ControlKind::PushButton) return nullptr;
    for (const CWnd* wnd : chain) {
        for (const auto& control : wnd->Controls()) {
            if (control->GetSafeHwnd() == target) return static_cast<CButton*>(control.get());
        }
    }
    return nullptr;
}

void PressEnter(HWND target, const std::vector<CWnd*>& chain)
{
    if (CButton* focused = PushButtonObject(target, chain)) {
        focused->Click(); // nothing when disabled
        return;
    }
    for (const CWnd* wnd : chain) {
        if (CButton* button = DefaultButtonOf(wnd)) {
            // A disabled default button swallows Enter.
            button->Click();
            return;
        }
    }
    chain.back()->SendCommand(IDOK, BN_CLICKED);
}

} // namespace

bool RouteKeyPress(HWND target, WPARAM virtualKey, bool alt)
{
    const std::vector<CWnd*> chain = WindowsAround(target);
    if (chain.empty()) return false;
    MSG msg{};
    msg.hwnd = target;
    msg.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = virtualKey;
    for (CWnd* wnd : chain) {
        if (wnd->PreTranslateMessage(&msg)) return true;
    }
    if (alt && virtualKey == VK_SPACE) {
        chain.back()->TrackSystemMenu();
        return true;
    }
    if (alt) return false;
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
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = target;
    info.iCtrlId = IsTaggedControl(target) ? GetDlgCtrlID(target) : 0;
    for (CWnd* wnd : WindowsAround(target)) {
        if (wnd->OnHelpInfo(&info)) return true;
    }
    return false;
}
