#pragma once
// The USALS goto-angle command of a DiSEqC 1.2 positioner: the angle through which the
// motor turns from its reference (the point of the geostationary arc on the site's own
// meridian) to a satellite, computed from the site's coordinates and the satellite's
// orbital position, and the five-byte message that carries it. Pure: no UI, no driver;
// any thread. The page shows the message box and hands the bytes to the sender.
#include <array>
#include <cstdint>
#include <string_view>

enum class UsalsOutcome {
    Send,         // the message is ready to be sent once
    InvalidInput, // satellite position, longitude or latitude out of range, or not a number
    OutOfReach,   // longitude difference or motor angle beyond 65 degrees
};

struct UsalsCommand {
    UsalsOutcome outcome = UsalsOutcome::InvalidInput;
    // Motor angle in degrees, positive west as the positioner counts it, before the
    // encoding drops digits; 0 unless outcome is Send.
    double angle = 0.0;
    // E1 31 6E H L when outcome is Send, all zero otherwise. The angle sent is
    // n + F[t]/16 degrees: n whole degrees, t the truncated tenths digit, F the
    // sixteenths table; the high nibble of H is 0xD for west, 0xE for east and zero.
    std::array<std::uint8_t, 5> message{};
};

// Computes the goto-angle command.
//   satelliteCode: orbital position in tenths of a degree east, 0 to 3599; codes above
//                  1800 stand for western positions (3300 = 30.0 degrees west)
//   siteLongitude: degrees, east positive
//   siteLatitude:  degrees, north positive; the equator counts as north
// A value out of range or not finite gives InvalidInput; a satellite more than 65
// degrees of longitude away, or a motor angle beyond 65 degrees, gives OutOfReach.
UsalsCommand UsalsGotoCommand(double satelliteCode, double siteLongitude, double siteLatitude);

// The same from the page's texts: the Satellite box (its first four characters are the
// position code), the Longitude box and the Latitude box, converted as the C library
// converts them in the "C" locale (text without a number reads as 0).
UsalsCommand UsalsGotoCommandFromTexts(std::string_view satelliteText, std::string_view longitudeText,
                                       std::string_view latitudeText);

// The message box for a failed outcome: caption "Error", stop icon, OK button.
inline constexpr char kUsalsErrorCaption[] = "Error";
inline constexpr char kUsalsInvalidInputText[] = "Longitude or Latitude error!";
inline constexpr char kUsalsOutOfReachText[] = "Can not reach this satellite from your location!";

// The message box text for an outcome; nullptr for Send, which shows nothing.
const char* UsalsMessageText(UsalsOutcome outcome);
