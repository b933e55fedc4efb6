#pragma once
// Where a polar-mounted motorised dish must turn to see a satellite of the
// geostationary arc. The angle is measured at the site, from the arc point on
// the site's own meridian (angle 0) to the satellite, positive west, as the
// goto-angle command of the positioner carries it. In the southern hemisphere
// the mount faces north and the sense flips.
#include <optional>

namespace sim {

struct Site {
    double latitude = 50.0;  // degrees, north positive
    double longitude = 10.0; // degrees, east positive
};

// Motor angle in degrees for the satellite at this longitude (degrees, east
// positive); nothing when the satellite is below the site's horizon.
std::optional<double> MotorAngleFor(const Site& site, double satelliteLongitude);

} // namespace sim
