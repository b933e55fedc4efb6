#include "platform/ui/CComboBox.h"

#include "platform/ui/ControlWidget.h"
#include "platform/ui/ListSearch.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

QComboBox* ComboOf(QWidget* widget) { return qobject_cast<QComboBox*>(widget); }

QString FromWide(LPCWSTR text) { return QString::fromWCharArray(text); }

void Select(QComboBox* combo, int index)
{
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index);
    if (index < 0 && combo->isEditable()) combo->setEditText(QString());
}

// Qt selects the first item a combo receives; Windows leaves a combo without
// selection until asked, and keeps the text typed into an editable one.
void InsertKeepingSelection(QComboBox* combo, int at, const QString& item)
{
    const QSignalBlocker quiet(combo);
    const bool hadSelection = combo->currentIndex() >= 0;
    const QString typed = combo->isEditable() ? combo->currentText() : QString();
    combo->insertItem(at, item);
    if (!hadSelection) {
        combo->setCurrentIndex(-1);
        if (combo->isEditable()) combo->setEditText(typed);
    }
}

} // namespace

int CComboBox::GetCount() const
{
    int count = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* combo = ComboOf(widget)) count = combo->count();
    });
    return count;
}

int CComboBox::GetCurSel() const
{
    int selection = CB_ERR;
    WithWidget([&](QWidget* widget) { selection = ControlSelection(widget); });
    return selection;
}

int CComboBox::SetCurSel(int index)
{
    int result = CB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* combo = ComboOf(widget);
        if (!combo) return;
        const bool valid = index >= 0 && index < combo->count();
        Select(combo, valid ? index : -1);
        result = valid ? index : CB_ERR;
    });
    return result;
}

int CComboBox::AddString(LPCWSTR text)
{
    if (!text) return CB_ERR;
    const QString item = FromWide(text);
    int result = CB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* combo = ComboOf(widget);
        if (!combo) return;
        const int index = (ControlStyleOf(widget) & CBS_SORT)
            ? SortedInsertIndex(
                  combo->count(), [&](int at) { return combo->itemText(at); }, item)
            : combo->count();
        InsertKeepingSelection(combo, index, item);
        result = index;
    });
    return result;
}

int CComboBox::InsertString(int index, LPCWSTR text)
{
    if (!text) return CB_ERR;
    const QString item = FromWide(text);
    int result = CB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* combo = ComboOf(widget);
        if (!combo || index < -1 || index > combo->count()) return;
        const int at = index == -1 ? combo->count() : index;
        InsertKeepingSelection(combo, at, item);
        result = at;
    });
    return result;
}

int CComboBox::DeleteString(UINT index)
{
    int result = CB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* combo = ComboOf(widget);
        if (!combo || index >= static_cast<UINT>(combo->count())) return;
        const bool wasSelected = combo->currentIndex() == static_cast<int>(index);
        const QSignalBlocker quiet(combo);
        combo->removeItem(static_cast<int>(index));
        if (wasSelected) Select(combo, -1);
        result = combo->count();
    });
    return result;
}

void CComboBox::ResetContent()
{
    WithWidget([](QWidget* widget) {
        if (auto* combo = ComboOf(widget)) {
            const QSignalBlocker quiet(combo);
            combo->clear();
            if (combo->isEditable()) combo->setEditText(QString());
        }
    });
}

int CComboBox::FindString(int startAfter, LPCWSTR text) const
{
    if (!text) return CB_ERR;
    int result = CB_ERR;
    WithWidget([&](QWidget* widget) { result = FindStringPrefix(ControlItems(widget), startAfter, FromWide(text)); });
    return result;
}

int CComboBox::FindStringExact(int startAfter, LPCWSTR text) const
{
    if (!text) return CB_ERR;
    int result = CB_ERR;
    WithWidget([&](QWidget* widget) { result = ::FindStringExact(ControlItems(widget), startAfter, FromWide(text)); });
    return result;
}

int CComboBox::SelectString(int startAfter, LPCWSTR text)
{
    if (!text) return CB_ERR;
    int result = CB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* combo = ComboOf(widget);
        if (!combo) return;
        result = FindStringPrefix(ControlItems(widget), startAfter, FromWide(text));
        if (result != CB_ERR) Select(combo, result);
    });
    return result;
}

int CComboBox::GetLBText(int index, std::wstring& text) const
{
    int result = CB_ERR;
    QString value;
    WithWidget([&](QWidget* widget) {
        auto* combo = ComboOf(widget);
        if (!combo || index < 0 || index >= combo->count()) return;
        value = combo->itemText(index);
        result = static_cast<int>(value.toStdWString().size());
    });
    text = value.toStdWString();
    return result;
}

int CComboBox::GetLBTextLen(int index) const
{
    std::wstring text;
    return GetLBText(index, text);
}
