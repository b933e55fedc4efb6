#include "positioner/Usals.h"

#include "positioner/SatelliteEntry.h"
#include "positioner/TextNumber.h"

#include <algorithm>
#include <cmath>

namespace {

// The constants are fixed values, not their exact counterparts: the positioner's angle
// must come out as the established calculation gives it, down to the tenth digit that
// the encoding keeps.
constexpr double kTenthsPerDegree = 10;
constexpr double kHalfTurn = 180;
constexpr double kFullTurn = 360;
constexpr double kLatitudeLimit = 90;
constexpr double kReachLimit = 65;               // degrees of longitude and of motor angle
constexpr double kPi = 3.141592654;              // ten digits, as the calculation is defined
constexpr double kEarthRadius = 6378;            // km
constexpr double kEarthRadiusSquared = 40678884; // km²
constexpr double kOrbitRadius = 42164.2;         // km, geostationary
constexpr double kChordFactor = 3555639523;      // twice the orbit radius squared, whole
constexpr double kMeridianThreshold = 89.9;      // degrees, either side of 180

constexpr double kRadiansPerDegree = kPi / 180;
constexpr double kDegreesPerRadian = 180 / kPi;

// The nearest sixteenth of a degree for each tenth.
constexpr std::array<std::uint8_t, 10> kSixteenths{0x0, 0x2, 0x3, 0x5, 0x6, 0x8, 0xA, 0xB, 0xD, 0xE};

constexpr std::uint8_t kFraming = 0xE1; // command from master, no reply, repeated transmission
constexpr std::uint8_t kPositioner = 0x31;
constexpr std::uint8_t kGotoAngle = 0x6E;
constexpr std::uint8_t kWest = 0xD0;
constexpr std::uint8_t kEastOrZero = 0xE0;

UsalsCommand Refuse(UsalsOutcome outcome)
{
    UsalsCommand command;
    command.outcome = outcome;
    return command;
}

// Unsigned motor angle in degrees for a longitude difference in degrees (law of
// cosines at the site, between the arc point on the site's meridian and the satellite).
double MotorAngleMagnitude(double longitudeDifference, double siteLatitude)
{
    const double a = kEarthRadius * std::sin(siteLatitude * kRadiansPerDegree);
    const double a2 = a * a;
    const double g = std::sqrt(kEarthRadiusSquared - a2); // 6378 |cos latitude|
    const double d = longitudeDifference * kRadiansPerDegree;

    const double sinG = std::sin(d) * g;
    const double i2 = sinG * sinG + a2;
    const double toSatelliteOffset = kOrbitRadius - std::sqrt(kEarthRadiusSquared - i2);
    const double toSatellite = std::sqrt(toSatelliteOffset * toSatelliteOffset + i2);
    const double toReference = std::sqrt((kOrbitRadius - g) * (kOrbitRadius - g) + a2);
    const double chord = std::sqrt(kChordFactor - kChordFactor * std::cos(d));

    // Rounding can carry the cosine a hair past 1 when the longitudes differ by a tiny
    // amount; acos would then give NaN.
    const double cosine =
        (toReference * toReference + toSatellite * toSatellite - chord * chord) / (2 * toSatellite * toReference);
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * kDegreesPerRadian;
}

// West of a northern site turns the motor west (positive); a southern site sees the
// arc from the other side and turns the other way. On the equator itself the motor is
// taken as mounted the northern way (facing south), which is how the positioner's own
// east and west are defined and how latitude 0 is written (0° N): any fixed choice
// points the dish the right way for both sides of the site, where testing P > 0 and
// P < 0 alone would send every satellite of an equatorial site east.
double SignedMotorAngle(double magnitude, double satellite, double siteLongitude, double siteLatitude)
{
    if (satellite == siteLongitude) {
        return 0;
    }
    const bool westOfSite = satellite < siteLongitude;
    const bool northern = siteLatitude >= 0;
    double angle = westOfSite == northern ? magnitude : -magnitude;

    // Across the 180° meridian the comparison of longitudes sees the satellite on the
    // wrong side.
    if ((satellite < -kMeridianThreshold && siteLongitude > kMeridianThreshold) ||
        (satellite > kMeridianThreshold && siteLongitude < -kMeridianThreshold)) {
        angle = -angle;
    }
    return angle;
}

std::array<std::uint8_t, 5> Encode(double angle)
{
    const double magnitude = std::fabs(angle);
    const int degrees = static_cast<int>(magnitude); // 0 to 65: the reach test came first
    // Further digits are dropped, never carried up: 12.96 goes out as 12.875.
    const int tenths = std::min(static_cast<int>((magnitude - degrees) * 10), 9);

    const std::uint8_t high = static_cast<std::uint8_t>((angle > 0 ? kWest : kEastOrZero) | (degrees >> 4));
    const std::uint8_t low = static_cast<std::uint8_t>(((degrees & 0x0F) << 4) | kSixteenths[tenths]);
    return {kFraming, kPositioner, kGotoAngle, high, low};
}

} // namespace

UsalsCommand UsalsGotoCommand(double satelliteCode, double siteLongitude, double siteLatitude)
{
    // "nan" converts to a value that every range test below lets through.
    if (!std::isfinite(satelliteCode) || !std::isfinite(siteLongitude) || !std::isfinite(siteLatitude)) {
        return Refuse(UsalsOutcome::InvalidInput);
    }

    double satellite = satelliteCode / kTenthsPerDegree;
    if (satellite > kHalfTurn) {
        satellite -= kFullTurn;
    }
    if (std::fabs(satellite) > kHalfTurn || std::fabs(siteLongitude) > kHalfTurn ||
        std::fabs(siteLatitude) > kLatitudeLimit) {
        return Refuse(UsalsOutcome::InvalidInput);
    }

    double difference = std::fabs(satellite - siteLongitude);
    if (difference > kHalfTurn) {
        difference -= kFullTurn; // the short way across the 180° meridian
    }
    if (std::fabs(difference) > kReachLimit) {
        return Refuse(UsalsOutcome::OutOfReach);
    }

    const double magnitude = MotorAngleMagnitude(difference, siteLatitude);
    if (magnitude > kReachLimit) {
        return Refuse(UsalsOutcome::OutOfReach);
    }

    UsalsCommand command;
    command.outcome = UsalsOutcome::Send;
    command.angle = SignedMotorAngle(magnitude, satellite, siteLongitude, siteLatitude);
    command.message = Encode(command.angle);
    return command;
}

UsalsCommand UsalsGotoCommandFromTexts(std::string_view satelliteText, std::string_view longitudeText,
                                       std::string_view latitudeText)
{
    return UsalsGotoCommand(SatelliteCodeFromText(satelliteText), TextToDouble(longitudeText),
                            TextToDouble(latitudeText));
}

const char* UsalsMessageText(UsalsOutcome outcome)
{
    switch (outcome) {
    case UsalsOutcome::InvalidInput:
        return kUsalsInvalidInputText;
    case UsalsOutcome::OutOfReach:
        return kUsalsOutOfReachText;
    case UsalsOutcome::Send:
        break;
    }
    return nullptr;
}
