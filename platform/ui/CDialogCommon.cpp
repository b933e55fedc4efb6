#include "platform/ui/CDialog.h"

#include "platform/ui/CComboBox.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ModalStack.h"
#include "platform/ui/UiThread.h"

// What a dialog does the same on either toolkit: its data exchange, the
// default OK and Cancel, and the template's initial items.

CDialog::CDialog(const DialogTemplate& tmpl, CWnd* owner) : m_template(tmpl) { m_pParentWnd = owner; }

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    INT_PTR result = -1;
    RunOnUiThread([&] { result = RunModal(); });
    return result;
}

BOOL CDialog::OnInitDialog()
{
    FillInitialItems();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) {
        return; // the message has been shown; the dialog stays open
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange* /*dx*/) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    BOOL ok = FALSE;
    RunOnUiThread([&] {
        if (!GetSafeHwnd()) return;
        CDataExchange dx(this, saveAndValidate);
        DoDataExchange(&dx);
        ok = dx.Failed() ? FALSE : TRUE;
    });
    return ok;
}

BOOL CDialog::OnCommand(UINT id, UINT notifyCode)
{
    if (CWnd::OnCommand(id, notifyCode)) {
        return TRUE;
    }
    if (notifyCode == BN_CLICKED && id == static_cast<UINT>(IDOK)) {
        OnOK();
        return TRUE;
    }
    if (notifyCode == BN_CLICKED && id == static_cast<UINT>(IDCANCEL)) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void CDialog::OnClose() { OnCommand(IDCANCEL, BN_CLICKED); }

void CDialog::FillInitialItems()
{
    for (const ControlTemplate& control : m_template.controls) {
        if (control.items.empty()) continue;
        CWnd* item = GetDlgItem(control.id);
        for (const std::wstring& text : control.items) {
            if (auto* list = dynamic_cast<CListBox*>(item)) {
                list->AddString(text.c_str());
            } else if (auto* combo = dynamic_cast<CComboBox*>(item)) {
                combo->AddString(text.c_str());
            }
        }
    }
}

HWND CDialog::ModalOwner() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        if (CDialog* top = ModalStack::Top()) {
            owner = top->GetSafeHwnd();
        } else if (CWnd* main = AfxGetMainWnd(); main && main != this) {
            owner = main->GetSafeHwnd();
        }
    }
    return owner;
}
