#include "platform/ui/CDialog.h"

#include "platform/ui/CComboBox.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ControlWidget.h"
#include "platform/ui/DialogBuilder.h"
#include "platform/ui/DialogWindow.h"
#include "platform/ui/KeyRouter.h"
#include "platform/ui/ModalStack.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/ui/UiThread.h"

#include <string>

namespace {

std::string EndName(INT_PTR result)
{
    if (result == IDOK) return "OK";
    if (result == IDCANCEL) return "CANCEL";
    return std::to_string(result);
}

} // namespace

CDialog::CDialog(const DialogTemplate& tmpl, CWnd* owner) : m_template(tmpl) { m_pParentWnd = owner; }

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    INT_PTR result = -1;
    RunOnUiThread([&] { result = RunModal(); });
    return result;
}

INT_PTR CDialog::RunModal()
{
    if (m_hWnd || ModalStack::ConsumeQuitForNewRun()) {
        return -1;
    }
    QWidget* owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        if (CDialog* top = ModalStack::Top()) {
            owner = top->GetSafeHwnd();
        } else if (CWnd* main = AfxGetMainWnd(); main && main != this) {
            owner = main->GetSafeHwnd();
        }
    }
    InstallKeyRouter();
    auto* window = new DialogWindow(this, owner);
    window->setWindowTitle(QString::fromStdWString(m_template.caption));
    AdoptWidget(window, true);
    CreateControls(window);
    window->setFixedSize(window->size());
    Transcript::Write("open " + std::to_string(m_template.id) + " " + Transcript::Quote(m_template.caption));

    m_nModalResult = -1;
    m_ended = false;
    ModalStack::Push(this);
    if (OnInitDialog()) {
        FocusFirstControl();
    }
    if (!m_ended && m_hWnd) {
        m_inLoop = true;
        window->exec();
        m_inLoop = false;
        if (!m_ended) {
            m_nModalResult = IDCANCEL; // the window went away without EndDialog
        }
    }
    m_ended = true;
    ModalStack::Pop(this);
    Transcript::Write("end " + std::to_string(m_template.id) + " " + EndName(m_nModalResult));
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int result)
{
    RunOnUiThread([&] {
        m_nModalResult = result;
        m_ended = true;
        if (m_inLoop && m_hWnd) {
            if (auto* window = dynamic_cast<DialogWindow*>(m_hWnd.data())) {
                window->done(result);
            }
        }
    });
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
        if (!m_hWnd) return;
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

void CDialog::CreateControls(QWidget* container)
{
    const std::vector<QWidget*> widgets = DialogBuilder::Build(
        m_template, container, [this](int id, UINT code) { OnCommand(static_cast<UINT>(id), code); });
    for (QWidget* widget : widgets) {
        AddControlObject(widget, ControlIdOf(widget));
    }
}

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

void CDialog::FocusFirstControl()
{
    for (const auto& control : Controls()) {
        QWidget* widget = control->GetSafeHwnd();
        if (widget && widget->isEnabled() && widget->isVisibleTo(widget->window()) &&
            (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CDialog::StartMove()
{
    if (auto* window = dynamic_cast<DialogWindow*>(m_hWnd.data())) {
        window->BeginMove();
    }
}
