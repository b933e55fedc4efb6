#include "platform/ui/DecimalText.h"

#include <cstdint>
#include <limits>

namespace {

// The Unicode spaces: the tab to carriage return controls, the next line, and
// the space, line and paragraph separators.
bool IsSpace(wchar_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
        (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::wstring_view Trimmed(std::wstring_view text)
{
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Digits with an optional sign, blanks around; the magnitude saturates just
// above what any 32-bit type holds so huge texts stay out of range.
bool ParseDecimal(std::wstring_view text, bool allowMinus, std::int64_t& value)
{
    const std::wstring_view trimmed = Trimmed(text);
    size_t i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == L'-' || trimmed[i] == L'+')) {
        negative = trimmed[i] == L'-';
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
        const wchar_t c = trimmed[i];
        if (c < L'0' || c > L'9') {
            return false;
        }
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > (std::int64_t{1} << 33)) {
            magnitude = std::int64_t{1} << 33;
        }
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

bool ParseInt32(std::wstring_view text, int& value)
{
    std::int64_t parsed = 0;
    if (!ParseDecimal(text, true, parsed) || parsed < std::numeric_limits<int>::min() ||
        parsed > std::numeric_limits<int>::max()) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseUInt32(std::wstring_view text, UINT& value)
{
    std::int64_t parsed = 0;
    if (!ParseDecimal(text, false, parsed) || parsed > std::numeric_limits<UINT>::max()) {
        return false;
    }
    value = static_cast<UINT>(parsed);
    return true;
}

UINT DlgItemIntOf(std::wstring_view text, BOOL* translated, BOOL isSigned)
{
    UINT value = 0;
    bool ok = false;
    if (isSigned) {
        int signedValue = 0;
        ok = ParseInt32(text, signedValue);
        value = ok ? static_cast<UINT>(signedValue) : 0;
    } else {
        ok = ParseUInt32(text, value);
        if (!ok) value = 0;
    }
    if (translated) *translated = ok ? TRUE : FALSE;
    return value;
}
