#include "platform/ui/ItemTextSet.h"

#include "platform/ui/WinUser.h"

#include <set>
#include <string>

struct ItemTextSet::Texts {
    // The order whose equality is the system list's FindStringExact's: whole
    // texts, letters without regard to case.
    struct CaseInsensitiveLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const
        {
            return lstrcmpiW(a.c_str(), b.c_str()) < 0;
        }
    };
    std::set<std::wstring, CaseInsensitiveLess> set;
};

ItemTextSet::ItemTextSet() : m_texts(std::make_unique<Texts>()) {}

ItemTextSet::~ItemTextSet() = default;

bool ItemTextSet::Add(std::wstring_view text) { return m_texts->set.insert(std::wstring(text)).second; }
