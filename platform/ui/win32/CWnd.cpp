#include "platform/ui/CWnd.h"

#include "platform/ui/CWinApp.h"
#include "platform/ui/DecimalText.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/ui/win32/ControlText.h"
#include "platform/ui/win32/WindowTags.h"

#include <algorithm>
#include <cwchar>

namespace {

std::wstring FromWide(LPCWSTR text) { return text ? std::wstring(text) : std::wstring(); }

bool HoldsFocus(HWND window)
{
    HWND focus = GetFocus();
    return focus && (focus == window || IsChild(window, focus));
}

// The focus of a control just disabled moves to the next control of the same
// dialog (or page) that takes the tab key, else to that dialog itself: it
// never leaves for the windows around it.
void MoveFocusOnFrom(HWND disabled)
{
    HWND owner = ::GetParent(disabled);
    while (owner && !WindowOf(owner)) owner = ::GetParent(owner);
    if (!owner) return;
    const auto& controls = WindowOf(owner)->Controls();
    const auto at = std::find_if(controls.begin(), controls.end(),
                                 [&](const auto& control) { return control->GetSafeHwnd() == disabled; });
    const size_t start = at == controls.end() ? 0 : static_cast<size_t>(at - controls.begin()) + 1;
    for (size_t step = 0; step < controls.size(); ++step) {
        HWND control = controls[(start + step) % controls.size()]->GetSafeHwnd();
        if (control && control != disabled && ::IsWindowEnabled(control) &&
            (GetWindowLongPtrW(control, GWL_STYLE) & (WS_VISIBLE | WS_TABSTOP)) == (WS_VISIBLE | WS_TABSTOP)) {
            ::SetFocus(control);
            return;
        }
    }
    ::SetFocus(owner);
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // Handlers are not run from a destructor: a window still open here is
    // simply destroyed, untagged first so that its procedure stays out.
    if (m_ownsWidget && m_hWnd && IsUiThread() && IsWindow(m_hWnd)) {
        UntagWindow(m_hWnd);
        ::DestroyWindow(m_hWnd);
    }
}

HWND CWnd::GetSafeHwnd() const { return m_hWnd && IsWindow(m_hWnd) ? m_hWnd : nullptr; }

void CWnd::WithWidget(const std::function<void(HWND)>& fn) const
{
    RunOnUiThread([&] {
        if (HWND window = GetSafeHwnd()) fn(window);
    });
}

void CWnd::SetWindowText(LPCWSTR text)
{
    const std::wstring value = FromWide(text);
    WithWidget([&](HWND window) {
        if (IsTaggedControl(window)) {
            SetControlText(window, value);
            return;
        }
        if (ControlText(window) != value) SetWindowTextW(window, value.c_str());
        // The transcript has a line for every title the program sets.
        if (this == AfxGetMainWnd()) Transcript::Write("title " + Transcript::Quote(value));
    });
}

void CWnd::GetWindowText(std::wstring& text) const
{
    std::wstring value;
    WithWidget([&](HWND window) { value = ControlText(window); });
    text = value;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    BOOL wasDisabled = FALSE;
    WithWidget([&](HWND window) {
        const bool losesFocus = enable == FALSE && HoldsFocus(window);
        wasDisabled = ::EnableWindow(window, enable) ? TRUE : FALSE;
        if (losesFocus) MoveFocusOnFrom(window);
    });
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    BOOL enabled = FALSE;
    WithWidget([&](HWND window) { enabled = ::IsWindowEnabled(window) ? TRUE : FALSE; });
    return enabled;
}

BOOL CWnd::ShowWindow(int command)
{
    BOOL wasVisible = FALSE;
    WithWidget([&](HWND window) {
        wasVisible = (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) ? TRUE : FALSE;
        ::ShowWindow(window, command == SW_HIDE ? SW_HIDE : SW_SHOWNA);
    });
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    BOOL visible = FALSE;
    WithWidget([&](HWND window) { visible = ::IsWindowVisible(window) ? TRUE : FALSE; });
    return visible;
}

void CWnd::SetFocus()
{
    WithWidget([](HWND window) { ::SetFocus(window); });
}

HWND CWnd::ControlWidget(int id) const
{
    for (const auto& control : m_controls) {
        if (control->m_nID == id && control->GetSafeHwnd()) return control->m_hWnd;
    }
    return nullptr;
}

void CWnd::SetDlgItemText(int id, LPCWSTR text)
{
    const std::wstring value = FromWide(text);
    RunOnUiThread([&] { SetControlText(ControlWidget(id), value); });
}

int CWnd::GetDlgItemText(int id, std::wstring& text) const
{
    std::wstring value;
    RunOnUiThread([&] { value = ControlText(ControlWidget(id)); });
    text = value;
    return static_cast<int>(text.size());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    const std::wstring text = isSigned ? std::to_wstring(static_cast<int>(value)) : std::to_wstring(value);
    RunOnUiThread([&] { SetControlText(ControlWidget(id), text); });
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    std::wstring text;
    RunOnUiThread([&] { text = ControlText(ControlWidget(id)); });
    return DlgItemIntOf(text, translated, isSigned);
}

void CWnd::CheckDlgButton(int id, UINT check)
{
    RunOnUiThread([&] {
        if (HWND button = ControlWidget(id)) SendMessageW(button, BM_SETCHECK, check == BST_CHECKED, 0);
    });
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    UINT state = BST_UNCHECKED;
    RunOnUiThread([&] {
        if (HWND button = ControlWidget(id)) {
            state = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
        }
    });
    return state;
}

void CWnd::CheckRadioButton(int first, int last, int check)
{
    RunOnUiThread([&] {
        for (const auto& control : m_controls) {
            if (control->m_nID < first || control->m_nID > last || !control->GetSafeHwnd()) continue;
            const ControlKind kind = ControlKindOf(control->m_hWnd);
            if (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton) {
                SendMessageW(control->m_hWnd, BM_SETCHECK, control->m_nID == check, 0);
            }
        }
    });
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT milliseconds, void* /*unused*/)
{
    UINT_PTR result = 0;
    WithWidget([&](HWND window) {
        const UINT period = std::max<UINT>(milliseconds, USER_TIMER_MINIMUM);
        if (::SetTimer(window, id, period, nullptr) == 0) return;
        m_timers[id] = TimerState{period, GetTickCount64(), false};
        result = id;
    });
    return result;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    BOOL killed = FALSE;
    RunOnUiThread([&] {
        if (auto it = m_timers.find(id); it != m_timers.end()) {
            m_timers.erase(it);
            killed = GetSafeHwnd() && ::KillTimer(m_hWnd, id) ? TRUE : FALSE;
        }
    });
    return killed;
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type)
{
    const std::wstring title = caption ? std::wstring(caption) : AfxGetAppName();
    HWND owner = nullptr;
    RunOnUiThread([&] { owner = GetSafeHwnd(); });
    return ::MessageBox(owner, text, title.c_str(), type);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (!rect) return;
    WithWidget([&](HWND window) { ::GetWindowRect(window, rect); });
}

void CWnd::GetClientRect(LPRECT rect) const
{
    if (!rect) return;
    WithWidget([&](HWND window) { ::GetClientRect(window, rect); });
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    if (!rect) return;
    WithWidget([&](HWND window) { MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(rect), 2); });
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (!point) return;
    WithWidget([&](HWND window) { ::ScreenToClient(window, point); });
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    if (!point) return;
    WithWidget([&](HWND window) { ::ClientToScreen(window, point); });
}

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    BOOL moved = FALSE;
    WithWidget([&](HWND window) {
        moved = ::MoveWindow(window, x, y, std::max(width, 0), std::max(height, 0), repaint) ? TRUE : FALSE;
    });
    return moved;
}

BOOL CWnd::SetWindowPos(const CWnd* /*insertAfter*/, int x, int y, int cx, int cy, UINT flags)
{
    BOOL moved = FALSE;
    WithWidget([&](HWND window) {
        const UINT kept = flags & (SWP_NOMOVE | SWP_NOSIZE);
        moved = ::SetWindowPos(window, nullptr, x, y, std::max(cx, 0), std::max(cy, 0),
                               kept | SWP_NOZORDER | SWP_NOACTIVATE)
            ? TRUE
            : FALSE;
    });
    return moved;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    HICON previous = nullptr;
    WithWidget([&](HWND window) {
        HICON& slot = bigIcon ? m_bigIcon : m_smallIcon;
        previous = slot;
        slot = icon;
        SendMessageW(window, WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    });
    return previous;
}

CMenu* CWnd::GetSystemMenu(BOOL revert)
{
    if (revert || !m_systemMenu) {
        HWND window = GetSafeHwnd();
        if (window && revert) ::GetSystemMenu(window, TRUE); // the window's menu back to the standard one
        // The items the program sees are the toolkit's standard ones on
        // either system; what it appends goes to the window's own menu too.
        m_systemMenu = std::make_unique<CMenu>();
        m_systemMenu->AppendMenu(MF_STRING, SC_MOVE, L"&Move");
        m_systemMenu->AppendMenu(MF_SEPARATOR);
        m_systemMenu->AppendMenu(MF_STRING, SC_CLOSE, L"&Close\tAlt+F4");
        m_systemMenu->Attach(window ? ::GetSystemMenu(window, FALSE) : nullptr);
        if (revert) return nullptr;
    }
    return m_systemMenu.get();
}

void CWnd::TrackSystemMenu()
{
    if (HWND window = GetSafeHwnd()) SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L' ');
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!Postable(message)) return FALSE;
    BOOL posted = FALSE;
    // Queued for the window: a window destroyed before delivery drops it.
    WithWidget([&](HWND window) { posted = PostMessageW(window, message, wParam, lParam) ? TRUE : FALSE; });
    return posted;
}

void CWnd::DestroyWindow()
{
    if (!m_hWnd) return;
    if (!IsWindow(m_hWnd)) {
        m_hWnd = nullptr;
        return;
    }
    OnDestroy();
    DestroyChildWindows();
    for (const auto& [id, timer] : m_timers) ::KillTimer(m_hWnd, id);
    m_timers.clear();
    m_controls.clear();
    m_systemMenu.reset(); // the system menu was the window's: the next window has its own
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    if (m_ownsWidget) {
        UntagWindow(window);
        ::DestroyWindow(window);
    }
    m_ownsWidget = false;
}
