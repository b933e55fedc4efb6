#pragma once
// A satellite of the sky: its orbital position code, name and transponders.
#include "sim/tuner/Transponder.h"

#include <string>
#include <vector>

namespace sim {

struct Satellite {
    // Orbital position in tenths of a degree east, 0 to 3599 (3300 is 30.0 W).
    int positionCode = 0;
    std::string name;
    std::vector<Transponder> transponders;

    // Degrees, east positive, -180 < value <= 180.
    double LongitudeDegrees() const;
};

} // namespace sim
