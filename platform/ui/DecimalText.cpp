#include "platform/ui/DecimalText.h"

#include <cstdint>
#include <limits>

namespace {

// Digits with an optional sign, blanks around; the magnitude saturates just
// above what any 32-bit type holds so huge texts stay out of range.
bool ParseDecimal(const QString& text, bool allowMinus, std::int64_t& value)
{
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == u'-' || trimmed[i] == u'+')) {
        negative = trimmed[i] == u'-';
        if (negative && !allowMinus) {
            return false;
        }
        ++i;
    }
    if (i == trimmed.size()) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c < u'0' || c > u'9') {
            return false;
        }
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > (std::int64_t{1} << 33)) {
            magnitude = std::int64_t{1} << 33;
        }
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

bool ParseInt32(const QString& text, int& value)
{
    std::int64_t parsed = 0;
    if (!ParseDecimal(text, true, parsed) || parsed < std::numeric_limits<int>::min() ||
        parsed > std::numeric_limits<int>::max()) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseUInt32(const QString& text, UINT& value)
{
    std::int64_t parsed = 0;
    if (!ParseDecimal(text, false, parsed) || parsed > std::numeric_limits<UINT>::max()) {
        return false;
    }
    value = static_cast<UINT>(parsed);
    return true;
}
