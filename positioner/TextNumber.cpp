#include "positioner/TextNumber.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

// The "C" locale as an object of its own, so the conversion never depends on (nor
// changes) the locale of the process or of the calling thread. Created once, on first
// use, and kept for the life of the process like the locale data it refers to.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

double TextToDouble(std::string_view text)
{
    // strtod needs a terminated string; the copy also stops a number at an embedded
    // NUL, as the C library would.
    const std::string terminated(text);
    if (const locale_t c = CLocale()) {
        return strtod_l(terminated.c_str(), nullptr, c);
    }
    // Not reached with glibc, which serves the "C" locale from static data; the branch
    // only keeps a null locale out of strtod_l.
    return std::strtod(terminated.c_str(), nullptr);
}

long TextToLong(std::string_view text)
{
    const std::string terminated(text);
    if (const locale_t c = CLocale()) {
        return strtol_l(terminated.c_str(), nullptr, 10, c);
    }
    return std::strtol(terminated.c_str(), nullptr, 10);
}
