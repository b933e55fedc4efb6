#pragma once
// The satellite frontends of the machine: every frontend whose delivery
// systems include DVB-S or DVB-S2, in adapter then frontend order, with the
// name its driver reports (FE_GET_INFO), found through libdvbv5's device
// list (udev). A frontend that cannot be opened now (busy with another
// program) is left out, with a problem saying so.
#include "dvb/DvbFrontend.h"

#include <string>
#include <vector>

namespace dvb {

struct FoundFrontend {
    FrontendAddress address;
    std::string driverName;
    bool dvbs2 = false;
};

// problems: what could not be read, one text each.
std::vector<FoundFrontend> FindSatelliteFrontends(std::vector<std::string>* problems);

} // namespace dvb
