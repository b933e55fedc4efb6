// The texts a Windows list or combo box's FindStringExact takes as equal:
// whole texts, letters compared without regard to case by the system.
#include "platform/ui/ItemTextSet.h"

#include <windows.h>

#include <set>
#include <string>

struct ItemTextSet::Texts {
    struct CaseInsensitiveLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const
        {
            return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                        TRUE) == CSTR_LESS_THAN;
        }
    };
    std::set<std::wstring, CaseInsensitiveLess> set;
};

ItemTextSet::ItemTextSet() : m_texts(std::make_unique<Texts>()) {}

ItemTextSet::~ItemTextSet() = default;

bool ItemTextSet::Add(std::wstring_view text) { return m_texts->set.emplace(text).second; }
