#include "platform/ui/CPropertyPage.h"

#include "platform/ui/DialogTranscript.h"
#include "platform/ui/win32/DialogBytes.h"
#include "platform/ui/win32/VisibleTo.h"
#include "platform/ui/win32/WindowMessages.h"

#include <commctrl.h>

void CPropertyPage::CreatePage(HWND holder)
{
    if (GetSafeHwnd()) return;
    const std::vector<DWORD> bytes = DialogBytes(Template(), DialogRole::Page);
    HWND page = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                           holder, WindowMessages::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!page) return;
    // Over the tabs' display area.
    RECT area{};
    ::GetClientRect(holder, &area);
    TabCtrl_AdjustRect(holder, FALSE, &area);
    ::SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    WriteDialogOpen(Template());
    if (OnInitDialog() && IsVisibleToRoot(page)) FocusFirstControl();
}
