#pragma once
// The devices file beside the program (KavroDevices.ini): which Kavro model a
// frontend is, when its driver reports a name of its own. One section per
// frontend, named by its place under /dev/dvb:
//
//   [adapter0/frontend0]
//   Name=Kavro N72 DVBS/S2 Tuner A
//
// Only the four model names are taken; any other name, an unreadable
// section or a line outside a section is a warning and changes nothing.
// Sections and keys match without regard to case; ';' starts a comment.
// Pure: reads text, no files.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace dvb {

struct DevicesFile {
    // "adapterA/frontendF" (lower case) to the model name given.
    std::map<std::string, std::string> names;
    std::vector<std::string> warnings;
};

DevicesFile ParseDevicesFile(std::string_view text);

// The four model names the program knows.
bool IsKavroModelName(std::string_view name);
// The USB box (answers the control set); the others are PCI-E cards.
bool IsUsbModelName(std::string_view name);

} // namespace dvb
