#include "platform/ui/CWnd.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/CSpinButtonCtrl.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/UiThread.h"

#ifdef _WIN32
#include "platform/ui/win32/WindowTags.h"
#else
#include "platform/ui/ControlWidget.h"

#include <QWidget> // m_hWnd, a QPointer, is set here
#endif

#include <algorithm>

// What a window does the same on either toolkit: its controls by id, its
// command map and the handlers' defaults.

CWnd* CWnd::GetDlgItem(int id) const
{
    CWnd* found = nullptr;
    RunOnUiThread([&] {
        for (const auto& control : m_controls) {
            if (control->m_nID == id && control->GetSafeHwnd()) {
                found = control.get();
                return;
            }
        }
    });
    return found;
}

void CWnd::MapCommand(UINT id, UINT notifyCode, CommandHandler handler)
{
    m_commands[{id, notifyCode}] = std::move(handler);
}

BOOL CWnd::OnCommand(UINT id, UINT notifyCode)
{
    const auto it = m_commands.find({id, notifyCode});
    if (it == m_commands.end() || !it->second) {
        return FALSE;
    }
    // A copy: the handler may remap commands while it runs.
    CommandHandler handler = it->second;
    handler();
    return TRUE;
}

void CWnd::OnSysCommand(UINT id, LPARAM /*lParam*/)
{
    if ((id & 0xFFF0) == SC_CLOSE) {
        OnClose();
    } else if ((id & 0xFFF0) == SC_MOVE && GetSafeHwnd()) {
        StartMove();
    }
}

void CWnd::AddControlObject(HWND widget, int id)
{
    std::unique_ptr<CWnd> control;
    switch (ControlKindOf(widget)) {
    case ControlKind::ListBox:
        control = std::make_unique<CListBox>();
        break;
    case ControlKind::ComboBox:
        control = std::make_unique<CComboBox>();
        break;
    case ControlKind::Edit:
        control = std::make_unique<CEdit>();
        break;
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        control = std::make_unique<CButton>();
        break;
    case ControlKind::Progress:
        control = std::make_unique<CProgressCtrl>();
        break;
    case ControlKind::UpDown:
        control = std::make_unique<CSpinButtonCtrl>();
        break;
    case ControlKind::Static:
    case ControlKind::Picture:
        control = std::make_unique<CStatic>();
        break;
    default:
        control = std::make_unique<CWnd>();
        break;
    }
    control->AttachControl(widget, id, this);
    m_controls.push_back(std::move(control));
}

void CWnd::MapClicked(UINT id, CommandHandler handler) { MapCommand(id, BN_CLICKED, std::move(handler)); }

BOOL CWnd::PreTranslateMessage(MSG* /*msg*/) { return FALSE; }

void CWnd::OnTimer(UINT_PTR /*id*/) {}

void CWnd::OnClose() {}

BOOL CWnd::OnHelpInfo(HELPINFO* /*info*/) { return FALSE; }

BOOL CWnd::OnDeviceChange(UINT /*eventType*/, DWORD_PTR /*data*/) { return TRUE; }

void CWnd::OnDestroy() {}

void CWnd::OnLButtonDown(UINT /*flags*/, POINT /*point*/) {}

void CWnd::StartMove() {}

void CWnd::SendCommand(UINT id, UINT notifyCode) { OnCommand(id, notifyCode); }

void CWnd::RemoveChildWindow(CWnd* child) { std::erase(m_children, child); }

void CWnd::AddChildWindow(CWnd* child)
{
    if (std::find(m_children.begin(), m_children.end(), child) == m_children.end()) {
        m_children.push_back(child);
    }
}

std::wstring CWnd::GetWindowText() const
{
    std::wstring text;
    GetWindowText(text);
    return text;
}

int CWnd::GetWindowTextLength() const { return static_cast<int>(GetWindowText().size()); }

HICON CWnd::GetIcon(BOOL bigIcon) const
{
    HICON icon = nullptr;
    RunOnUiThread([&] { icon = bigIcon ? m_bigIcon : m_smallIcon; });
    return icon;
}

void CWnd::AttachControl(HWND widget, int id, CWnd* parent)
{
    m_hWnd = widget;
    m_nID = id;
    m_pParentWnd = parent;
    m_ownsWidget = false;
}

void CWnd::AdoptWidget(HWND widget, bool owned)
{
    m_hWnd = widget;
    m_ownsWidget = owned;
    TagWindow(widget, this);
}

bool CWnd::Postable(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_CLOSE:
    case WM_DEVICECHANGE:
    case WM_NCLBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

void CWnd::DestroyChildWindows()
{
    // Children learn of it after their parent, in the order they were made.
    const std::vector<CWnd*> children = std::move(m_children);
    m_children.clear();
    for (CWnd* child : children) {
        child->DestroyWindow();
    }
}
