#include "platform/ui/CButton.h"

#include "platform/ui/UiThread.h"
#include "platform/ui/win32/SendToWindow.h"
#include "platform/ui/win32/VisibleTo.h"

int CButton::GetCheck() const { return SendToWindow(*this, BM_GETCHECK) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED; }

void CButton::SetCheck(int check)
{
    SendToWindow(*this, BM_SETCHECK, check == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
}

void CButton::Click()
{
    RunOnUiThread([&] {
        HWND button = GetSafeHwnd();
        if (!button || !IsVisibleToRoot(button) || !::IsWindowEnabled(button)) return;
        // As the mouse clicks it: the focus, the check of an auto button, and
        // BN_CLICKED to the parent.
        SendMessageW(button, BM_CLICK, 0, 0);
    });
}
