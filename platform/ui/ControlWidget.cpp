#include "platform/ui/ControlWidget.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QVariant>

namespace {
constexpr const char* kId = "kavroId";
constexpr const char* kKind = "kavroKind";
constexpr const char* kStyle = "kavroStyle";
constexpr const char* kWnd = "kavroWnd";
constexpr const char* kText = "kavroText";
} // namespace

void TagControl(QWidget* widget, int id, ControlKind kind, DWORD style)
{
    widget->setObjectName(QString::number(id));
    widget->setProperty(kId, id);
    widget->setProperty(kKind, static_cast<int>(kind));
    widget->setProperty(kStyle, static_cast<uint>(style));
}

bool IsControl(const QWidget* widget) { return widget && widget->property(kKind).isValid(); }

int ControlIdOf(const QWidget* widget) { return widget ? widget->property(kId).toInt() : 0; }

ControlKind ControlKindOf(const QWidget* widget)
{
    return static_cast<ControlKind>(widget ? widget->property(kKind).toInt() : 0);
}

DWORD ControlStyleOf(const QWidget* widget) { return widget ? widget->property(kStyle).toUInt() : 0; }

void TagWindow(QWidget* widget, CWnd* wnd) { widget->setProperty(kWnd, QVariant::fromValue(static_cast<void*>(wnd))); }

CWnd* WindowOf(const QWidget* widget)
{
    if (!widget) {
        return nullptr;
    }
    const QVariant value = widget->property(kWnd);
    return value.isValid() ? static_cast<CWnd*>(value.value<void*>()) : nullptr;
}

QString WithoutMnemonics(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i; // "&&" shows one '&'; "&x" shows x
        }
        shown += text[i];
    }
    return shown;
}

QString ControlText(const QWidget* widget)
{
    if (!widget) {
        return {};
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->currentText(); // the edit text, or the selected item of a drop-down list
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        return group->title();
    }
    // Labels show their text without '&' marks, so the raw text is kept aside;
    // kinds that show no text (lists, bars, pictures) keep what was set there too.
    return widget->property(kText).toString();
}

bool HoldsEditText(const QLineEdit* edit, const QString& text)
{
    return edit && !edit->isModified() && edit->text() == text;
}

void SetControlText(QWidget* widget, const QString& text)
{
    if (!widget) {
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // The same text again is not set (setting it repaints the edit), but
        // the caret goes to the start as it would.
        if (!HoldsEditText(edit, text)) {
            edit->setText(text);
        }
        if (edit->cursorPosition() != 0 || edit->hasSelectedText()) {
            edit->setCursorPosition(0); // Windows shows the start of a long text
        }
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable() && !HoldsEditText(combo->lineEdit(), text)) {
            combo->setEditText(text);
        }
        return; // a drop-down list has no text of its own, as on Windows
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text() != text) button->setText(text);
        return;
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        if (group->title() != text) group->setTitle(text);
        return;
    }
    if (widget->property(kText).toString() != text) {
        widget->setProperty(kText, text);
    }
    if (auto* label = qobject_cast<QLabel*>(widget); label && ControlKindOf(widget) == ControlKind::Static) {
        // A label that shows a picture instead takes the text again.
        if (const QString shown = WithoutMnemonics(text); label->text() != shown || !label->pixmap().isNull()) {
            label->setText(shown);
        }
    }
}

QStringList ControlItems(const QWidget* widget)
{
    QStringList items;
    if (const auto* list = qobject_cast<const QListWidget*>(widget)) {
        for (int i = 0; i < list->count(); ++i) {
            items << list->item(i)->text();
        }
    } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
    }
    return items;
}

int ControlSelection(const QWidget* widget)
{
    if (const auto* list = qobject_cast<const QListWidget*>(widget)) {
        const int row = list->currentRow();
        return row >= 0 && list->item(row)->isSelected() ? row : -1;
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->currentIndex();
    }
    return -1;
}
