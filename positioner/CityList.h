#pragma once
// Reading CityList.txt, the site list beside the program, for the
// Motor/Positioner page's Country and City boxes. One line per city:
// country TAB city TAB latitude TAB longitude (CityLine.h cuts it). All lines
// of one country stand together: the readers below stop at the first line of
// another country once they have what they want of the wanted country's lines.
// Each line is read as the satellite files are (ProfileText.h): UTF-8 where it
// is valid, any other byte the 8-bit character of its value; the texts given
// and returned are UTF-8. Countries and cities are compared as exact,
// case-sensitive UTF-8.
//
// Files only, no UI; any thread. Each call opens the file (a Windows path
// text, WinPath.h), reads it in file order and closes it; nullopt means the
// file could not be opened.
#include "positioner/CityLine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The country field of every line, in file order, duplicates included.
std::optional<std::vector<std::string>> CityListCountries(std::wstring_view file);

struct CountryCities {
    std::vector<std::string> cities; // in file order, duplicates kept
    // The coordinates of the country's first line; empty when it has none.
    std::optional<CityLine> first;
};

// The cities of the country's first group of lines. An empty country lists
// nothing: a line without a country belongs to none.
std::optional<CountryCities> CityListCities(std::wstring_view file, std::string_view country);

// The line of this city of this country: reading stops at the first line of
// another country after a match, so a later equal line of the same group
// replaces an earlier one; nothing inside the optional when no line matches
// (the whole file has then been read).
std::optional<std::optional<CityLine>> CityListPosition(std::wstring_view file, std::string_view country,
                                                        std::string_view city);
