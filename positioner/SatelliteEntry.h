#pragma once
// The Satellite box of the Motor/Positioner page: its entries come from the satellite
// files (section SATTYPE, key 1 the position code, key 2 the name), and "Go" reads the
// position code back from the entry's first four characters. Pure; any thread.
#include <string>
#include <string_view>

// The list entry for one satellite file: the position code, two blanks, the name
// ("0192", "Astra 1KR" gives "0192  Astra 1KR"). A file without the section gives two
// blanks. A carriage return left at the end of a value by Windows line ends is dropped.
std::string SatelliteListEntry(std::string_view positionCode, std::string_view name);

// The satellite position code of a Satellite box text: the decimal value of its first
// four characters (all of it when shorter), in tenths of a degree east, converted in
// the "C" locale. "0192  Astra" gives 192, a typed "19.2" gives 19.2, text without a
// number 0.
double SatelliteCodeFromText(std::string_view satelliteText);
