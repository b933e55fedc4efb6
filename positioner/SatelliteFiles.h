#pragma once
// The satellite files beside the program ("Transponders\*.ini"), read for the
// Motor/Positioner page's Satellite box: section SATTYPE, key 1 the position
// code, key 2 the name, each read as a private-profile value into 260
// characters (longer values are cut to 259; a missing file, section or key
// reads as empty). Files only, no UI; any thread.
#include <string>
#include <string_view>
#include <vector>

// One list entry per file the pattern programFolder + "\Transponders\*.ini"
// finds, in the order the folder listing gives them (SatelliteEntry.h builds
// each: code, two blanks, name). A missing or empty folder gives none.
// programFolder is a Windows path text without trailing separator.
std::vector<std::wstring> SatelliteListEntries(std::wstring_view programFolder);
