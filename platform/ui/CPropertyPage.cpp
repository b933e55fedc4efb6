#include "platform/ui/CPropertyPage.h"

#include "platform/ui/automation/Transcript.h"

#include <QWidget>
#include <string>

CPropertyPage::CPropertyPage(const DialogTemplate& tmpl) : CDialog(tmpl) {}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::CreatePage(QWidget* holder)
{
    if (m_hWnd) {
        return;
    }
    auto* page = new QWidget(holder);
    AdoptWidget(page, true);
    CreateControls(page);
    page->show();
    Transcript::Write("open " + std::to_string(Template().id) + " " + Transcript::Quote(Template().caption));
    if (OnInitDialog() && page->isVisibleTo(page->window())) {
        FocusFirstControl();
    }
}
