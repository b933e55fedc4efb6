#pragma once
// Numbers typed into the Motor/Positioner page or read from the city list, converted
// the way the C library converts them in the "C" locale, whatever locale the process
// runs in: Qt switches the process to the user's locale, where "48.86" would read as
// 48 under a plain strtod. Any thread; no state.
#include <string_view>

// The C library's text-to-double conversion: leading blanks, an optional sign, digits
// with an optional decimal point and exponent (hexadecimal, "inf" and "nan" included,
// as strtod takes them), stopping at the first character that is not part of the
// number. Text without a number gives 0. The caller decides what a non-finite result
// means.
double TextToDouble(std::string_view text);

// The C library's integer conversion, base 10: leading blanks, an optional sign,
// decimal digits, stopping at the first other character. Text without digits gives 0;
// values beyond the range of long are held at its ends.
long TextToLong(std::string_view text);
