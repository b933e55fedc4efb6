#pragma once
// A property sheet made as a child window of a dialog: tabs labelled with the
// pages' captions. Only the page shown first is made at Create; every other
// page is made the first time its tab is shown. When the dialog is destroyed
// the sheet's pages are destroyed after the dialog's own OnDestroy, in tab
// order. The sheet does not own its pages. UI thread for Create and page
// changes (carried there from other threads).
#include "platform/ui/CWnd.h"

#include <vector>

class CPropertyPage;

class CPropertySheet : public CWnd {
public:
    explicit CPropertySheet(LPCWSTR caption = L"", CWnd* parent = nullptr, UINT selectPage = 0);

    // Before Create.
    void AddPage(CPropertyPage* page);
    // Makes the sheet a child of parent (or of the parent given at
    // construction) at 0,0, sized to its largest page, and makes the first
    // shown page. FALSE without a parent window or pages.
    BOOL Create(CWnd* parent = nullptr, DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0);

    int GetPageCount() const;
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;
    // Shows the page, making it first if needed. FALSE for a bad index.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);

private:
    friend class WindowMessages;

    // Makes the page at index if it is not made yet (and on Windows shows it
    // in place of the others, as the Qt tabs do by themselves).
    void ShowPage(int index);
    // The made pages as child windows, in tab order.
    void KeepPagesInTabOrder();

    std::wstring m_caption;
    UINT m_selectPage;
    std::vector<CPropertyPage*> m_pages;
    // Where each page's window is made: a tab's widget on Qt, the tab control on Windows.
    std::vector<HWND> m_holders;
};
