#include "platform/ui/CPropertySheet.h"

#include "platform/ui/CPropertyPage.h"

#include <algorithm>

// What a property sheet does the same on either toolkit: its pages by index.

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

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

void CPropertySheet::KeepPagesInTabOrder()
{
    // Pages are destroyed in tab order, whatever order they were shown in.
    for (CPropertyPage* each : m_pages) {
        RemoveChildWindow(each);
    }
    for (CPropertyPage* each : m_pages) {
        if (each->GetSafeHwnd()) AddChildWindow(each);
    }
}
