#include "positioner/TextNumber.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

// The "C" locale as an object of its own, so the conversion never depends on (nor
// changes) the locale of the process or of the calling thread. Created once, on first
// use, and kept for the life of the process like the locale data it refers to.
#ifdef _WIN32
using CLocaleHandle = _locale_t;
#else
using CLocaleHandle = locale_t;
#endif

CLocaleHandle CLocale()
{
#ifdef _WIN32
    static const CLocaleHandle locale = _create_locale(LC_ALL, "C");
#else
    static const CLocaleHandle locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
#endif
    return locale;
}

double StringToDouble(const char* text, CLocaleHandle c)
{
#ifdef _WIN32
    return _strtod_l(text, nullptr, c);
#else
    return strtod_l(text, nullptr, c);
#endif
}

long StringToLong(const char* text, CLocaleHandle c)
{
#ifdef _WIN32
    return _strtol_l(text, nullptr, 10, c);
#else
    return strtol_l(text, nullptr, 10, c);
#endif
}

} // namespace

double TextToDouble(std::string_view text)
{
    // strtod needs a terminated string; the copy also stops a number at an embedded
    // NUL, as the C library would.
    const std::string terminated(text);
    if (const CLocaleHandle c = CLocale()) {
        return StringToDouble(terminated.c_str(), c);
    }
    // Not reached with glibc or the Windows C runtime, which serve the "C" locale from
    // static data; the branch only keeps a null locale out of strtod_l.
    return std::strtod(terminated.c_str(), nullptr);
}

long TextToLong(std::string_view text)
{
    const std::string terminated(text);
    if (const CLocaleHandle c = CLocale()) {
        return StringToLong(terminated.c_str(), c);
    }
    return std::strtol(terminated.c_str(), nullptr, 10);
}
