#include "platform/ui/CPropertyPage.h"

#include "platform/ui/DialogTranscript.h"

#include <QWidget>
#include <string>

void CPropertyPage::CreatePage(HWND holder)
{
    if (m_hWnd) {
        return;
    }
    auto* page = new QWidget(holder);
    AdoptWidget(page, true);
    CreateControls(page);
    page->show();
    WriteDialogOpen(Template());
    if (OnInitDialog() && page->isVisibleTo(page->window())) {
        FocusFirstControl();
    }
}
