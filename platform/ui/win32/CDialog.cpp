#include "platform/ui/CDialog.h"

#include "platform/ui/CStatic.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/DialogTranscript.h"
#include "platform/ui/ModalStack.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/win32/CommonControls.h"
#include "platform/ui/win32/DialogBytes.h"
#include "platform/ui/win32/VisibleTo.h"
#include "platform/ui/win32/WindowMessages.h"
#include "platform/ui/win32/WindowTags.h"

#include <algorithm>
#include <vector>

namespace {

// A control that takes the focus: enabled, shown, of a kind a user can act on.
bool TakesFocus(HWND control)
{
    if (!IsEnabledToRoot(control) || !IsVisibleToRoot(control)) return false;
    switch (ControlKindOf(control)) {
    case ControlKind::Edit:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
        return true;
    default:
        return false;
    }
}

} // namespace

INT_PTR CDialog::RunModal()
{
    if (GetSafeHwnd() || ModalStack::ConsumeQuitForNewRun()) return -1;
    // A quit posted while no modal loop ran ends the next run at once.
    if (MSG quit; PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return -1;
    HWND owner = ModalOwner();
    InitCommonControlsOnce();
    const std::vector<DWORD> bytes = DialogBytes(m_template, DialogRole::Modal);
    HWND window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                             owner, WindowMessages::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) return -1;
    // The system tells top-level windows of device changes; the arrival and
    // removal of devices (tuners among them) only to those that ask.
    DEV_BROADCAST_DEVICEINTERFACE_W devices{};
    devices.dbcc_size = sizeof devices;
    devices.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    HDEVNOTIFY notices = RegisterDeviceNotificationW(window, &devices,
                                                     DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    WriteDialogOpen(m_template);

    m_nModalResult = -1;
    m_ended = false;
    ModalStack::Push(this);
    if (OnInitDialog()) FocusFirstControl();
    if (!m_ended && GetSafeHwnd()) {
        // The owner takes no input while the dialog runs, as the system's own
        // modal dialogs have it.
        const bool disableOwner = owner && ::IsWindowEnabled(owner);
        if (disableOwner) ::EnableWindow(owner, FALSE);
        HWND focus = GetFocus();
        ::ShowWindow(window, SW_SHOWNORMAL);
        if (focus && IsChild(window, focus)) ::SetFocus(focus);
        m_inLoop = true;
        while (!m_ended && GetSafeHwnd()) {
            MSG msg;
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                // WM_QUIT: every running loop ends, innermost first.
                ModalStack::Quit(static_cast<int>(msg.wParam));
                break;
            }
            if (got < 0) break;
            if (!WindowMessages::PreTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        m_inLoop = false;
        if (!m_ended) m_nModalResult = IDCANCEL; // the window went away without EndDialog
        if (disableOwner) ::EnableWindow(owner, TRUE);
    }
    m_ended = true;
    ModalStack::Pop(this);
    WriteDialogEnd(m_template, m_nModalResult);
    if (notices) UnregisterDeviceNotification(notices);
    if (GetSafeHwnd()) ::ShowWindow(window, SW_HIDE);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int result)
{
    RunOnUiThread([&] {
        m_nModalResult = result;
        m_ended = true;
        // Wakes the modal loop, which then sees the end.
        if (m_inLoop && GetSafeHwnd()) PostMessageW(m_hWnd, WM_NULL, 0, 0);
    });
}

void CDialog::CreateControls(HWND container)
{
    // The dialog manager made one child per template control, in template
    // order, which is their tab order; the children are read in that order
    // (the z-order's, whichever end it starts from).
    std::vector<HWND> children;
    for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    if (!children.empty() && !m_template.controls.empty() &&
        ::GetDlgCtrlID(children.front()) != m_template.controls.front().id &&
        ::GetDlgCtrlID(children.back()) == m_template.controls.front().id) {
        std::reverse(children.begin(), children.end());
    }
    const size_t count = std::min(children.size(), m_template.controls.size());
    for (size_t i = 0; i < count; ++i) {
        const ControlTemplate& control = m_template.controls[i];
        TagControl(children[i], control.kind, control.style);
        AddControlObject(children[i], control.id);
        if (control.kind != ControlKind::Picture || control.image == 0) continue;
        auto* picture = static_cast<CStatic*>(Controls().back().get());
        if ((control.style & SS_TYPEMASK) == SS_ICON) {
            if (HICON icon = Resources::Icon(control.image)) picture->SetIcon(icon);
        } else if (HBITMAP bitmap = Resources::Bitmap(control.image)) {
            picture->SetBitmap(bitmap);
        }
    }
}

void CDialog::FocusFirstControl()
{
    for (const auto& control : Controls()) {
        if (HWND window = control->GetSafeHwnd(); window && TakesFocus(window)) {
            ::SetFocus(window);
            return;
        }
    }
}

void CDialog::StartMove()
{
    // The system moves the window with the mouse from where it is.
    if (HWND window = GetSafeHwnd()) {
        ReleaseCapture();
        DefWindowProcW(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    }
}
