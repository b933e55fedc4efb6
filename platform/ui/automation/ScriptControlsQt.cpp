#include "platform/ui/automation/ScriptControls.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/ControlWidget.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QWidget>

ControlLook LookAt(HWND control)
{
    ControlLook look;
    look.kind = ControlKindOf(control);
    look.style = ControlStyleOf(control);
    look.text = ControlText(control).toStdWString();
    look.enabled = control->isEnabledTo(control->window());
    look.visible = control->isVisibleTo(control->window());
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) look.checked = button->isChecked();
    if (const auto* bar = qobject_cast<const QProgressBar*>(control)) {
        look.pos = bar->value();
        look.lower = bar->minimum();
        look.upper = bar->maximum();
    }
    if (look.kind == ControlKind::ListBox || look.kind == ControlKind::ComboBox) {
        look.selection = ControlSelection(control);
        for (const QString& item : ControlItems(control)) look.items.push_back(item.toStdWString());
    }
    return look;
}

bool Shown(HWND control) { return control->isVisibleTo(control->window()); }

bool Usable(HWND control) { return control->isEnabled(); }

TextEntry TextEntryOf(HWND control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        if (edit->isReadOnly()) return TextEntry::ReadOnly;
        return edit->validator() ? TextEntry::Digits : TextEntry::Any; // the ES_NUMBER validator
    }
    const auto* combo = qobject_cast<const QComboBox*>(control);
    return combo && combo->isEditable() ? TextEntry::Any : TextEntry::None;
}

void FocusControl(HWND control, FocusCause cause)
{
    switch (cause) {
    case FocusCause::Mouse:
        control->setFocus(Qt::MouseFocusReason);
        break;
    case FocusCause::Tab:
        control->setFocus(Qt::TabFocusReason);
        break;
    case FocusCause::Other:
        control->setFocus(Qt::OtherFocusReason);
        break;
    }
}

void TypeText(CWnd& control, const std::wstring& text)
{
    QWidget* widget = control.GetSafeHwnd();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(QString::fromStdWString(text)); // EN_CHANGE follows
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setEditText(QString::fromStdWString(text));
        if (CWnd* owner = control.GetParent()) {
            owner->SendCommand(static_cast<UINT>(control.GetDlgCtrlID()), CBN_EDITCHANGE);
        }
    }
}

HWND KeyTargetOf(CWnd& window, CWnd* page)
{
    QWidget* top = window.GetSafeHwnd();
    if (QWidget* focus = top->focusWidget(); focus && focus->isVisibleTo(top) && focus->isEnabled()) {
        return focus;
    }
    if (page) {
        for (const auto& control : page->Controls()) {
            QWidget* widget = control->GetSafeHwnd();
            if (widget && widget->isEnabled() && widget->isVisibleTo(top) && (widget->focusPolicy() & Qt::TabFocus)) {
                return widget;
            }
        }
        return page->GetSafeHwnd();
    }
    return top;
}
