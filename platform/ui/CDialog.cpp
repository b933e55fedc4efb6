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
#include "platform/ui/DialogTranscript.h"
#include "platform/ui/UiThread.h"

#include <string>

INT_PTR CDialog::RunModal()
{
    if (m_hWnd || ModalStack::ConsumeQuitForNewRun()) {
        return -1;
    }
    QWidget* owner = ModalOwner();
    InstallKeyRouter();
    auto* window = new DialogWindow(this, owner);
    window->setWindowTitle(QString::fromStdWString(m_template.caption));
    AdoptWidget(window, true);
    CreateControls(window);
    window->setFixedSize(window->size());
    WriteDialogOpen(m_template);

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
    WriteDialogEnd(m_template, m_nModalResult);
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

void CDialog::CreateControls(HWND container)
{
    const std::vector<QWidget*> widgets = DialogBuilder::Build(
        m_template, container, [this](int id, UINT code) { OnCommand(static_cast<UINT>(id), code); });
    for (QWidget* widget : widgets) {
        AddControlObject(widget, ControlIdOf(widget));
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
