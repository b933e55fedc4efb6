#pragma once
// The item semantics list boxes and combo boxes share, as Windows has them:
// where a sorted list puts a new item, prefix and whole-text search without
// regard to case, starting after an index and wrapping round to it.
#include <QString>
#include <QStringList>

#include <functional>

// Index at which a sorted list inserts text: after every item that compares
// less or equal without regard to case, so "10" sorts before "2".
int SortedInsertIndex(const QStringList& items, const QString& text);
// The same over count items that itemAt reads one at a time. A bisection, as
// Windows places an added item: it reads about log2(count) texts, so filling a
// list with thousands of items does not read every item for each one added.
int SortedInsertIndex(int count, const std::function<QString(int)>& itemAt, const QString& text);

// First item, searching from startAfter + 1 to the end and then from the start
// up to startAfter (the whole list when startAfter is -1 or out of range),
// that begins with text (FindStringPrefix) or equals it (FindStringExact),
// letters compared without regard to case. -1 when none does; an empty text
// matches nothing.
int FindStringPrefix(const QStringList& items, int startAfter, const QString& text);
int FindStringExact(const QStringList& items, int startAfter, const QString& text);
