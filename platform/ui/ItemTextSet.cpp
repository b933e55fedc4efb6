#include "platform/ui/ItemTextSet.h"

#include <QString>
#include <set>

struct ItemTextSet::Texts {
    // The order whose equality is FindStringExact's.
    struct CaseInsensitiveLess {
        bool operator()(const QString& a, const QString& b) const
        {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        }
    };
    std::set<QString, CaseInsensitiveLess> set;
};

ItemTextSet::ItemTextSet() : m_texts(std::make_unique<Texts>()) {}

ItemTextSet::~ItemTextSet() = default;

bool ItemTextSet::Add(std::wstring_view text)
{
    return m_texts->set.insert(QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()))).second;
}
