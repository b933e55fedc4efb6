#pragma once
// The DiSEqC 1.2 positioner commands the Motor/Positioner page's motor buttons
// send (the positioner command set of the DiSEqC 1.2 bus standard): each
// message is a framing byte, the address 0x31 (polar/azimuth positioner), the
// command byte and at most one data byte. Pure; any thread.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

enum class MotorCommand {
    StepEast,  // Drive East, one step
    StepWest,  // Drive West, one step
    DriveEast, // Drive East, data 0x50
    DriveWest, // Drive West, data 0x50
    Halt,
    LimitEast, // store the east soft limit at the current position
    LimitWest, // store the west soft limit at the current position
    LimitsOff,
    GotoPosition,  // drive to stored position nn
    StorePosition, // store the current position as nn
};

// Framing bytes: command from master, no reply expected.
inline constexpr std::uint8_t kDiseqcFramingRepeat = 0xE1; // repeated transmission
inline constexpr std::uint8_t kDiseqcFramingFirst = 0xE0;  // first transmission
inline constexpr std::uint8_t kDiseqcPositionerAddress = 0x31;

// One message, framing byte first; only the first `length` bytes count.
struct PositionerMessage {
    std::array<std::uint8_t, 5> bytes{};
    std::size_t length = 0;
};

// The message of a motor command with the given framing byte. position is the
// stored-position number of GotoPosition and StorePosition; the other commands
// ignore it.
PositionerMessage MotorCommandMessage(MotorCommand command, std::uint8_t framing, std::uint8_t position = 0);

// The stored-position number of the Position box: its text converted as the C
// library's integer conversion does (leading blanks, optional sign, decimal
// digits up to the first other character; none gives 0), reduced to its low 8
// bits: "12" is 0x0C, "300" is 0x2C, "-1" is 0xFF, "" is 0x00.
std::uint8_t PositionNumberFromText(std::string_view text);
