#include "platform/ui/CListBox.h"

#include "platform/ui/ControlWidget.h"
#include "platform/ui/ListSearch.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace {

QListWidget* ListOf(QWidget* widget) { return qobject_cast<QListWidget*>(widget); }

QString FromWide(LPCWSTR text) { return QString::fromWCharArray(text); }

void Select(QListWidget* list, int index)
{
    const QSignalBlocker quiet(list);
    if (index < 0) {
        list->setCurrentRow(-1);
        list->clearSelection();
    } else {
        list->setCurrentRow(index);
    }
}

} // namespace

int CListBox::GetCount() const
{
    int count = 0;
    WithWidget([&](QWidget* widget) {
        if (auto* list = ListOf(widget)) count = list->count();
    });
    return count;
}

int CListBox::GetCurSel() const
{
    int selection = LB_ERR;
    WithWidget([&](QWidget* widget) { selection = ControlSelection(widget); });
    return selection;
}

int CListBox::SetCurSel(int index)
{
    int result = LB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* list = ListOf(widget);
        if (!list) return;
        const bool valid = index >= 0 && index < list->count();
        Select(list, valid ? index : -1);
        result = valid ? index : LB_ERR;
    });
    return result;
}

int CListBox::AddString(LPCWSTR text)
{
    if (!text) return LB_ERR;
    const QString item = FromWide(text);
    int result = LB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* list = ListOf(widget);
        if (!list) return;
        const int index = (ControlStyleOf(widget) & LBS_SORT)
            ? SortedInsertIndex(
                  list->count(), [&](int at) { return list->item(at)->text(); }, item)
            : list->count();
        const QSignalBlocker quiet(list);
        list->insertItem(index, item);
        result = index;
    });
    return result;
}

int CListBox::InsertString(int index, LPCWSTR text)
{
    if (!text) return LB_ERR;
    const QString item = FromWide(text);
    int result = LB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* list = ListOf(widget);
        if (!list || index < -1 || index > list->count()) return;
        const int at = index == -1 ? list->count() : index;
        const QSignalBlocker quiet(list);
        list->insertItem(at, item);
        result = at;
    });
    return result;
}

int CListBox::DeleteString(UINT index)
{
    int result = LB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* list = ListOf(widget);
        if (!list || index >= static_cast<UINT>(list->count())) return;
        const QSignalBlocker quiet(list);
        delete list->takeItem(static_cast<int>(index));
        result = list->count();
    });
    return result;
}

void CListBox::ResetContent()
{
    WithWidget([](QWidget* widget) {
        if (auto* list = ListOf(widget)) {
            const QSignalBlocker quiet(list);
            list->clear();
        }
    });
}

int CListBox::FindString(int startAfter, LPCWSTR text) const
{
    if (!text) return LB_ERR;
    int result = LB_ERR;
    WithWidget([&](QWidget* widget) { result = FindStringPrefix(ControlItems(widget), startAfter, FromWide(text)); });
    return result;
}

int CListBox::FindStringExact(int startAfter, LPCWSTR text) const
{
    if (!text) return LB_ERR;
    int result = LB_ERR;
    WithWidget([&](QWidget* widget) { result = ::FindStringExact(ControlItems(widget), startAfter, FromWide(text)); });
    return result;
}

int CListBox::SelectString(int startAfter, LPCWSTR text)
{
    if (!text) return LB_ERR;
    int result = LB_ERR;
    WithWidget([&](QWidget* widget) {
        auto* list = ListOf(widget);
        if (!list) return;
        result = FindStringPrefix(ControlItems(widget), startAfter, FromWide(text));
        if (result != LB_ERR) Select(list, result);
    });
    return result;
}

int CListBox::GetText(int index, std::wstring& text) const
{
    int result = LB_ERR;
    QString value;
    WithWidget([&](QWidget* widget) {
        auto* list = ListOf(widget);
        if (!list || index < 0 || index >= list->count()) return;
        value = list->item(index)->text();
        result = static_cast<int>(value.toStdWString().size());
    });
    text = value.toStdWString();
    return result;
}

int CListBox::GetTextLen(int index) const
{
    std::wstring text;
    return GetText(index, text);
}
