#include "sim/tuner/Satellite.h"

namespace sim {

double Satellite::LongitudeDegrees() const
{
    const double degrees = positionCode / 10.0;
    return degrees > 180.0 ? degrees - 360.0 : degrees;
}

} // namespace sim
