#include "platform/ui/win32/WindowMessages.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/KeyRouter.h"
#include "platform/ui/win32/WindowTags.h"

#include <windowsx.h>

namespace {

// The notifications the toolkit passes on, the same on either toolkit
// (WinUser.h): a click, a changed edit text, a list's or combo's selection
// and double click, a combo's typed text. The system's others (focus, drop
// down, updates) stay with the dialog manager.
bool PassedOn(HWND control, UINT code)
{
    switch (ControlKindOf(control)) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return code == BN_CLICKED;
    case ControlKind::Edit:
        return code == EN_CHANGE;
    case ControlKind::ListBox:
        return code == LBN_SELCHANGE || code == LBN_DBLCLK;
    case ControlKind::ComboBox:
        return code == CBN_SELCHANGE || code == CBN_DBLCLK || code == CBN_EDITCHANGE;
    default:
        return false;
    }
}

// A dialog procedure's answer for messages that carry a result.
INT_PTR Answer(HWND window, LRESULT result)
{
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace

void WindowMessages::WindowsAround(HWND window, CWnd** chain, int& count, int capacity)
{
    count = 0;
    for (HWND at = window; at && count < capacity;) {
        if (CWnd* wnd = WindowOf(at)) chain[count++] = wnd;
        if (!(GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD)) break;
        at = ::GetParent(at);
    }
}

void WindowMessages::Timer(CWnd& wnd, UINT_PTR id)
{
    const auto it = wnd.m_timers.find(id);
    if (it == wnd.m_timers.end() || !wnd.m_hWnd) return;
    CWnd::TimerState& timer = it->second;
    const ULONGLONG now = GetTickCount64();
    if (now - timer.last < timer.period) {
        // Early: once more after what is left, then back to the period.
        ::SetTimer(wnd.m_hWnd, id, static_cast<UINT>(timer.period - (now - timer.last)), nullptr);
        timer.shortened = true;
        return;
    }
    timer.last = now;
    if (timer.shortened) {
        ::SetTimer(wnd.m_hWnd, id, timer.period, nullptr);
        timer.shortened = false;
    }
    wnd.OnTimer(id); // may kill or set this timer again
}

bool WindowMessages::PreTranslate(MSG& msg)
{
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (!root || !WindowOf(root)) return false; // message boxes and menus keep their keys
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        const bool alt = msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29));
        if (RouteKeyPress(msg.hwnd, msg.wParam, alt)) return true;
    }
    return IsDialogMessageW(root, &msg) != FALSE;
}

INT_PTR CALLBACK WindowMessages::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->AdoptWidget(window, true);
        dialog->CreateControls(window);
        return FALSE; // the toolkit places the focus after OnInitDialog
    }
    CWnd* wnd = WindowOf(window);
    if (!wnd) return FALSE;
    try {
        switch (message) {
        case WM_COMMAND: {
            // A control's notification, or a command without one (a menu, a
            // posted WM_COMMAND).
            const auto control = reinterpret_cast<HWND>(lParam);
            if (control && IsTaggedControl(control) && !PassedOn(control, HIWORD(wParam))) return FALSE;
            wnd->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (auto* sheet = dynamic_cast<CPropertySheet*>(WindowOf(header->hwndFrom));
                sheet && header->code == static_cast<UINT>(TCN_SELCHANGE)) {
                sheet->ShowPage(TabCtrl_GetCurSel(header->hwndFrom));
                return TRUE;
            }
            return FALSE;
        }
        case WM_TIMER:
            Timer(*wnd, wParam);
            return TRUE;
        case WM_SYSCOMMAND: {
            const UINT command = static_cast<UINT>(wParam & 0xFFF0);
            if (command == SC_KEYMENU || command == SC_MOUSEMENU) return FALSE; // the system menu itself
            wnd->OnSysCommand(static_cast<UINT>(wParam), lParam);
            return TRUE;
        }
        case WM_CLOSE:
            wnd->OnSysCommand(SC_CLOSE, 0);
            return TRUE;
        case WM_HELP: {
            auto* info = reinterpret_cast<HELPINFO*>(lParam);
            return RouteHelpRequest(static_cast<HWND>(info->hItemHandle)) ? TRUE : FALSE;
        }
        case WM_DEVICECHANGE:
            return Answer(window, wnd->OnDeviceChange(static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam)));
        case WM_LBUTTONDOWN:
            wnd->OnLButtonDown(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return TRUE;
        case WM_NCDESTROY:
            // Destroyed by the system (its owner went): the object lets go.
            wnd->m_hWnd = nullptr;
            UntagWindow(window);
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        // A handler's exception stops here, at the system's boundary.
        return FALSE;
    }
}
