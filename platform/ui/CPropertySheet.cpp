#include "platform/ui/CPropertySheet.h"

#include "platform/ui/CPropertyPage.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/UiThread.h"

#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

CPropertySheet::CPropertySheet(LPCWSTR caption, CWnd* parent, UINT selectPage)
    : m_caption(caption ? caption : L""),
      m_selectPage(selectPage)
{
    m_pParentWnd = parent;
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (page) m_pages.push_back(page);
}

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
    // Pages are destroyed in tab order, whatever order they were shown in.
    for (CPropertyPage* each : m_pages) {
        RemoveChildWindow(each);
    }
    for (CPropertyPage* each : m_pages) {
        if (each->GetSafeHwnd()) AddChildWindow(each);
    }
}

int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.size()); }

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const
{
    int index = static_cast<int>(m_selectPage);
    WithWidget([&](QWidget* widget) { index = static_cast<QTabWidget*>(widget)->currentIndex(); });
    return index;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

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

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
