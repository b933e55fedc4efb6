#include "platform/ui/ListSearch.h"

namespace {

template <typename Match>
int Search(const QStringList& items, int startAfter, const QString& text, Match match)
{
    const int count = static_cast<int>(items.size());
    if (text.isEmpty() || count == 0) {
        return -1;
    }
    if (startAfter < -1 || startAfter >= count) {
        startAfter = -1;
    }
    for (int step = 1; step <= count; ++step) {
        const int index = (startAfter + step) % count;
        if (match(items[index])) {
            return index;
        }
    }
    return -1;
}

} // namespace

int SortedInsertIndex(const QStringList& items, const QString& text)
{
    return SortedInsertIndex(
        static_cast<int>(items.size()), [&](int index) { return items[index]; }, text);
}

int SortedInsertIndex(int count, const std::function<QString(int)>& itemAt, const QString& text)
{
    // The first item greater than text, in a list kept in order.
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (QString::compare(itemAt(middle), text, Qt::CaseInsensitive) <= 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

int FindStringPrefix(const QStringList& items, int startAfter, const QString& text)
{
    return Search(items, startAfter, text,
                  [&](const QString& item) { return item.startsWith(text, Qt::CaseInsensitive); });
}

int FindStringExact(const QStringList& items, int startAfter, const QString& text)
{
    return Search(items, startAfter, text,
                  [&](const QString& item) { return item.compare(text, Qt::CaseInsensitive) == 0; });
}
