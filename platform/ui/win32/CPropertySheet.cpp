#include "platform/ui/CPropertySheet.h"

#include "platform/ui/CPropertyPage.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/win32/CommonControls.h"
#include "platform/ui/win32/WindowTags.h"

#include <algorithm>

// The sheet's window is a tab control (SysTabControl32) inside the dialog;
// each page is a child dialog of it, laid over the tabs' display area.

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD /*exStyle*/)
{
    BOOL created = FALSE;
    RunOnUiThread([&] {
        if (parent) m_pParentWnd = parent;
        HWND parentWindow = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
        if (!parentWindow || m_pages.empty() || GetSafeHwnd()) return;
        InitCommonControlsOnce();
        HWND tabs = CreateWindowExW(WS_EX_CONTROLPARENT, WC_TABCONTROLW, m_caption.c_str(),
                                    WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0, 0, 0, parentWindow,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!tabs) return;
        AdoptWidget(tabs, true);
        SendMessageW(tabs, WM_SETFONT, SendMessageW(parentWindow, WM_GETFONT, 0, 0), FALSE);
        m_holders.clear();
        RECT largest{};
        for (size_t i = 0; i < m_pages.size(); ++i) {
            const DialogTemplate& tmpl = m_pages[i]->Template();
            std::wstring label = tmpl.caption;
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = label.data();
            SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
            // The page's size in the dialog's font, which the pages share.
            RECT size{0, 0, tmpl.cx, tmpl.cy};
            MapDialogRect(parentWindow, &size);
            largest.right = std::max(largest.right, size.right);
            largest.bottom = std::max(largest.bottom, size.bottom);
            m_holders.push_back(tabs);
        }
        const int first = m_selectPage < m_pages.size() ? static_cast<int>(m_selectPage) : 0;
        SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(first), 0);
        TabCtrl_AdjustRect(tabs, TRUE, &largest);
        ::SetWindowPos(tabs, nullptr, 0, 0, largest.right - largest.left, largest.bottom - largest.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        m_pParentWnd->AddChildWindow(this);
        if (style & WS_VISIBLE) ::ShowWindow(tabs, SW_SHOWNA);
        ShowPage(first);
        created = TRUE;
    });
    return created;
}

void CPropertySheet::ShowPage(int index)
{
    HWND tabs = GetSafeHwnd();
    if (index < 0 || index >= static_cast<int>(m_pages.size()) || !tabs) return;
    CPropertyPage* page = m_pages[static_cast<size_t>(index)];
    // The shown page lies over the others, which hide, as a tab widget has it.
    for (CPropertyPage* other : m_pages) {
        if (other != page && other->GetSafeHwnd()) ::ShowWindow(other->GetSafeHwnd(), SW_HIDE);
    }
    if (HWND shown = page->GetSafeHwnd()) {
        ::ShowWindow(shown, SW_SHOWNA);
        return;
    }
    page->CreatePage(m_holders[static_cast<size_t>(index)]);
    KeepPagesInTabOrder();
}

int CPropertySheet::GetActiveIndex() const
{
    int index = static_cast<int>(m_selectPage);
    WithWidget([&](HWND tabs) { index = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)); });
    return index;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount()) return FALSE;
    BOOL done = FALSE;
    WithWidget([&](HWND tabs) {
        // TCM_SETCURSEL sends no TCN_SELCHANGE: the page is shown here.
        if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != index) {
            SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
            ShowPage(index);
        }
        done = TRUE;
    });
    if (!done) m_selectPage = static_cast<UINT>(index); // before Create: the page shown first
    return TRUE;
}
