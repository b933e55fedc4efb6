#include "platform/ui/CSpinButtonCtrl.h"

#include "platform/ui/UpDownControl.h"

#include <QLineEdit>

namespace {
UpDownControl* UpDownOf(QWidget* widget) { return dynamic_cast<UpDownControl*>(widget); }
} // namespace

void CSpinButtonCtrl::SetRange(short lower, short upper) { SetRange32(lower, upper); }

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    WithWidget([&](QWidget* widget) {
        if (auto* updown = UpDownOf(widget)) updown->SetRange(lower, upper);
    });
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    lower = upper = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* updown = UpDownOf(widget)) {
            lower = updown->Lower();
            upper = updown->Upper();
        }
    });
}

int CSpinButtonCtrl::SetPos(int pos)
{
    int previous = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* updown = UpDownOf(widget)) {
            previous = updown->Pos();
            updown->SetPos(pos);
        }
    });
    return previous;
}

int CSpinButtonCtrl::GetPos() const
{
    int pos = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* updown = UpDownOf(widget)) pos = updown->Pos();
    });
    return pos;
}

void CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    WithWidget([&](QWidget* widget) {
        QWidget* buddyWidget = buddy ? buddy->GetSafeHwnd() : nullptr;
        if (auto* updown = UpDownOf(widget)) updown->SetBuddy(qobject_cast<QLineEdit*>(buddyWidget));
    });
}
