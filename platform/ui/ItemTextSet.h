#pragma once
// Texts as a list or combo box's FindStringExact matches them (ListSearch.h):
// whole texts, letters without regard to case. For filling a box with many
// items without searching it for each one: adding and asking cost log n. Not
// thread-safe; one owner.
#include <memory>
#include <string_view>

class ItemTextSet {
public:
    ItemTextSet();
    ~ItemTextSet();
    ItemTextSet(const ItemTextSet&) = delete;
    ItemTextSet& operator=(const ItemTextSet&) = delete;

    // False when an equal text (FindStringExact's equality) was added before.
    bool Add(std::wstring_view text);

private:
    struct Texts;
    std::unique_ptr<Texts> m_texts;
};
