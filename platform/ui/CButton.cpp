#include "platform/ui/CButton.h"

#include "platform/ui/UiThread.h"

#include <QAbstractButton>

int CButton::GetCheck() const
{
    int check = BST_UNCHECKED;
    WithWidget([&](QWidget* widget) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isChecked()) {
            check = BST_CHECKED;
        }
    });
    return check;
}

void CButton::SetCheck(int check)
{
    WithWidget([&](QWidget* widget) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable()) {
            button->setChecked(check == BST_CHECKED);
        }
    });
}

void CButton::Click()
{
    WithWidget([](QWidget* widget) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (!button || !button->isEnabled() || !button->isVisibleTo(button->window())) return;
        button->setFocus(Qt::MouseFocusReason);
        button->click();
    });
}
