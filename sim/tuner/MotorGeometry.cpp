#include "sim/tuner/MotorGeometry.h"

#include <cmath>
#include <numbers>

namespace sim {

namespace {

constexpr double kEarthRadiusKm = 6378.137;
constexpr double kOrbitRadiusKm = 42164.17;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }
double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

} // namespace

std::optional<double> MotorAngleFor(const Site& site, double satelliteLongitude)
{
    // Longitude difference the short way round: negative means the satellite
    // lies west of the site.
    double d = std::fmod(satelliteLongitude - site.longitude, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;

    const double p = Radians(site.latitude);
    const double dr = Radians(d);

    // Visible when the elevation is positive: the angle beta at the earth's
    // centre between site and sub-satellite point must leave the satellite
    // above the tangent plane.
    const double cosBeta = std::cos(p) * std::cos(dr);
    if (cosBeta <= kEarthRadiusKm / kOrbitRadiusKm) {
        return std::nullopt;
    }

    // Triangle site - reference arc point - satellite, sides by the law of
    // cosines in the earth-centred frame.
    const double re2 = kEarthRadiusKm * kEarthRadiusKm;
    const double ro2 = kOrbitRadiusKm * kOrbitRadiusKm;
    const double toReference2 = re2 + ro2 - 2.0 * kEarthRadiusKm * kOrbitRadiusKm * std::cos(p);
    const double toSatellite2 = re2 + ro2 - 2.0 * kEarthRadiusKm * kOrbitRadiusKm * cosBeta;
    const double chord2 = 2.0 * ro2 * (1.0 - std::cos(dr));
    double c = (toReference2 + toSatellite2 - chord2) / (2.0 * std::sqrt(toReference2 * toSatellite2));
    c = std::fmin(1.0, std::fmax(-1.0, c));
    const double magnitude = Degrees(std::acos(c));

    const bool west = d < 0.0;
    const bool north = site.latitude >= 0.0;
    return (west == north) ? magnitude : -magnitude;
}

} // namespace sim
