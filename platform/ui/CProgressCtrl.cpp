#include "platform/ui/CProgressCtrl.h"

#include <QProgressBar>
#include <algorithm>

namespace {
QProgressBar* BarOf(QWidget* widget) { return qobject_cast<QProgressBar*>(widget); }

void SetValue(QProgressBar* bar, int pos)
{
    // Qt ignores a value outside the range; Windows holds it at the end.
    const int value = std::clamp(pos, bar->minimum(), bar->maximum());
    if (bar->value() != value) bar->setValue(value);
}
} // namespace

void CProgressCtrl::SetRange(short lower, short upper) { SetRange32(lower, upper); }

void CProgressCtrl::SetRange32(int lower, int upper)
{
    WithWidget([&](QWidget* widget) {
        if (auto* bar = BarOf(widget)) {
            // Only a range or position that changes is set: each repaints the bar.
            const int value = bar->value();
            if (bar->minimum() != lower || bar->maximum() != std::max(lower, upper)) {
                bar->setRange(lower, std::max(lower, upper));
            }
            SetValue(bar, value);
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
            SetValue(bar, pos);
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
            SetValue(bar, previous + delta);
        }
    });
    return previous;
}
