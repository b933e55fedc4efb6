#include "platform/ui/KeyRoutingParts.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/win32/VisibleTo.h"
#include "platform/ui/win32/WindowMessages.h"
#include "platform/ui/win32/WindowTags.h"

#include <vector>

namespace {

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

} // namespace

std::vector<CWnd*> WindowsAround(HWND target)
{
    constexpr int kDepth = 16; // far more windows around a control than the toolkit nests
    CWnd* chain[kDepth];
    int count = 0;
    WindowMessages::WindowsAround(target, chain, count, kDepth);
    return std::vector<CWnd*>(chain, chain + count);
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

int HelpControlId(HWND target) { return IsTaggedControl(target) ? GetDlgCtrlID(target) : 0; }
