#include "platform/ui/CProgressCtrl.h"

#include "platform/ui/win32/SendToWindow.h"

void CProgressCtrl::SetRange(short lower, short upper) { SetRange32(lower, upper); }

void CProgressCtrl::SetRange32(int lower, int upper)
{
    SendToWindow(*this, PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    PBRANGE range{};
    SendToWindow(*this, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
}

int CProgressCtrl::SetPos(int pos)
{
    return static_cast<int>(SendToWindow(*this, PBM_SETPOS, static_cast<WPARAM>(pos)));
}

int CProgressCtrl::GetPos() const { return static_cast<int>(SendToWindow(*this, PBM_GETPOS)); }

int CProgressCtrl::OffsetPos(int delta)
{
    return static_cast<int>(SendToWindow(*this, PBM_DELTAPOS, static_cast<WPARAM>(delta)));
}
