#include "platform/ui/CPropertySheet.h"

#include "platform/ui/CPropertyPage.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/UiThread.h"

#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD /*exStyle*/)
{
    BOOL created = FALSE;
    RunOnUiThread([&] {
        if (parent) m_pParentWnd = parent;
        QWidget* parentWidget = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
        if (!parentWidget || m_pages.empty() || m_hWnd) return;

        auto* tabs = new QTabWidget(parentWidget);
        AdoptWidget(tabs, true);
        m_holders.clear();
        QSize largest;
        for (CPropertyPage* page : m_pages) {
            const DialogTemplate& tmpl = page->Template();
            largest = largest.expandedTo(MapDialogSize(tmpl.cx, tmpl.cy, BaseUnitsOf(DialogFont(tmpl))));
            auto* holder = new QWidget;
            tabs->addTab(holder, QString::fromStdWString(tmpl.caption));
            m_holders.push_back(holder);
        }
        const int first = m_selectPage < m_pages.size() ? static_cast<int>(m_selectPage) : 0;
        tabs->setCurrentIndex(first);
        const int frame = tabs->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2;
        tabs->resize(largest.width() + frame, largest.height() + tabs->tabBar()->sizeHint().height() + frame);
        tabs->move(0, 0);
        m_pParentWnd->AddChildWindow(this);
        QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this](int index) { ShowPage(index); });
        tabs->setVisible((style & WS_VISIBLE) != 0);
        ShowPage(first);
        created = TRUE;
    });
    return created;
}

void CPropertySheet::ShowPage(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pages.size()) || !m_hWnd) {
        return;
    }
    CPropertyPage* page = m_pages[static_cast<size_t>(index)];
    if (page->GetSafeHwnd()) {
        return;
    }
    page->CreatePage(m_holders[static_cast<size_t>(index)]);
    KeepPagesInTabOrder();
}

int CPropertySheet::GetActiveIndex() const
{
    int index = static_cast<int>(m_selectPage);
    WithWidget([&](QWidget* widget) { index = static_cast<QTabWidget*>(widget)->currentIndex(); });
    return index;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount()) {
        return FALSE;
    }
    BOOL done = FALSE;
    WithWidget([&](QWidget* widget) {
        static_cast<QTabWidget*>(widget)->setCurrentIndex(index);
        done = TRUE;
    });
    if (!done) m_selectPage = static_cast<UINT>(index); // before Create: the page shown first
    return TRUE;
}
