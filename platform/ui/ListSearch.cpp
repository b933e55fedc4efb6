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
    int index = 0;
    const int count = static_cast<int>(items.size());
    while (index < count && QString::compare(items[index], text, Qt::CaseInsensitive) <= 0) {
        ++index;
    }
    return index;
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
