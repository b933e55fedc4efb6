#include "platform/ui/CSpinButtonCtrl.h"

#include "platform/ui/win32/SendToWindow.h"

void CSpinButtonCtrl::SetRange(short lower, short upper) { SetRange32(lower, upper); }

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    SendToWindow(*this, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    lower = upper = 0;
    SendToWindow(*this, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos(int pos) { return static_cast<int>(SendToWindow(*this, UDM_SETPOS32, 0, pos)); }

int CSpinButtonCtrl::GetPos() const
{
    // Reads the buddy's number first, as the control does when asked.
    return static_cast<int>(SendToWindow(*this, UDM_GETPOS32));
}

void CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    SendToWindow(*this, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->GetSafeHwnd() : nullptr));
}
