#include "platform/ui/CProgressCtrl.h"

#include <QProgressBar>
#include <algorithm>

namespace {
QProgressBar* BarOf(QWidget* widget) { return qobject_cast<QProgressBar*>(widget); }
} // namespace

void CProgressCtrl::SetRange(short lower, short upper) { SetRange32(lower, upper); }

void CProgressCtrl::SetRange32(int lower, int upper)
{
    WithWidget([&](QWidget* widget) {
        if (auto* bar = BarOf(widget)) {
            const int value = bar->value();
            bar->setRange(lower, std::max(lower, upper));
            bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
        }
    });
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    lower = 0;
    upper = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* bar = BarOf(widget)) {
            lower = bar->minimum();
            upper = bar->maximum();
        }
    });
}

int CProgressCtrl::SetPos(int pos)
{
    int previous = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* bar = BarOf(widget)) {
            previous = bar->value();
            // Qt ignores a value outside the range; Windows holds it at the end.
            bar->setValue(std::clamp(pos, bar->minimum(), bar->maximum()));
        }
    });
    return previous;
}

int CProgressCtrl::GetPos() const
{
    int pos = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* bar = BarOf(widget)) pos = bar->value();
    });
    return pos;
}

int CProgressCtrl::OffsetPos(int delta)
{
    int previous = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* bar = BarOf(widget)) {
            previous = bar->value();
            bar->setValue(std::clamp(previous + delta, bar->minimum(), bar->maximum()));
        }
    });
    return previous;
}
