#include "positioner/TextNumber.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <system_error>

// The C runtime this program links on Windows (msvcrt) converts in a locale of
// its own with _strtod_l and _strtol_l, but its _strtod_l reads no hexadecimal
// number, no infinity and no NaN. Texts to double go through std::from_chars,
// which reads the "C" locale's pattern whatever the locale, after the blanks, the
// sign and the "0x" that strtod takes and from_chars does not.

namespace {

_locale_t CLocale()
{
    static const _locale_t locale = _create_locale(LC_ALL, "C");
    return locale;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigitOf(char c, bool hex)
{
    if (c >= '0' && c <= '9') return true;
    return hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

// A hexadecimal number follows "0x": a digit, or a point and a digit.
bool HexDigitsAt(const char* p, const char* end)
{
    return p < end && (IsDigitOf(*p, true) || (*p == '.' && p + 1 < end && IsDigitOf(p[1], true)));
}

// For a number from_chars found out of range: true when it is too large, false
// when too small, from where its first significant digit stands and its exponent
// (both in bits for hexadecimal numbers). Out of range they are far from zero.
bool TooLarge(const char* p, const char* end, bool hex)
{
    const long long digitWeight = hex ? 4 : 1;
    long long order = 0;
    bool point = false;
    bool significant = false;
    for (; p < end; ++p) {
        if (*p == '.') {
            point = true;
            continue;
        }
        if (!IsDigitOf(*p, hex)) break;
        significant = significant || *p != '0';
        if (!point && significant) order += digitWeight;
        if (point && !significant) order -= digitWeight;
    }
    long long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E' || *p == 'p' || *p == 'P')) {
        ++p;
        const bool negative = p < end && *p == '-';
        if (p < end && (*p == '-' || *p == '+')) ++p;
        for (; p < end && IsDigitOf(*p, false); ++p) {
            if (exponent < 1000000000) exponent = exponent * 10 + (*p - '0');
        }
        if (negative) exponent = -exponent;
    }
    return order + exponent > 0;
}

} // namespace

double TextToDouble(std::string_view text)
{
    // The number stops at an embedded NUL, as the C library's would.
    const std::string terminated(text);
    const char* p = terminated.c_str();
    const char* const end = p + std::strlen(p);
    while (p < end && IsBlank(*p)) ++p;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    if (p < end && (*p == '-' || *p == '+')) return 0.0; // a second sign: no number
    bool hex = false;
    if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigitsAt(p + 2, end)) {
        p += 2;
        hex = true;
    }
    double value = 0.0;
    const std::from_chars_result read =
        std::from_chars(p, end, value, hex ? std::chars_format::hex : std::chars_format::general);
    if (read.ec == std::errc::invalid_argument) return 0.0;
    if (read.ec == std::errc::result_out_of_range) value = TooLarge(p, read.ptr, hex) ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

long TextToLong(std::string_view text)
{
    const std::string terminated(text);
    if (const _locale_t c = CLocale()) {
        return _strtol_l(terminated.c_str(), nullptr, 10, c);
    }
    // Not reached: the C runtime serves the "C" locale from static data.
    return std::strtol(terminated.c_str(), nullptr, 10);
}
