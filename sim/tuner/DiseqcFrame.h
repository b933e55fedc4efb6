#pragma once
// One DiSEqC message from the master as it travels on the cable: framing,
// address, command and data bytes (DiSEqC bus functional standard 4.0,
// sections 5 and 6; positioner commands from the 1.2 extension).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// Framing bytes: E0 command, no reply, first transmission; bit 0 marks a
// repeated transmission, bit 1 asks for a reply.
inline constexpr std::uint8_t kFramingFirst = 0xE0;
inline constexpr std::uint8_t kFramingRepeat = 0xE1;

// Commands this cable's devices obey.
inline constexpr std::uint8_t kCmdWriteN0 = 0x38; // committed switches
inline constexpr std::uint8_t kCmdHalt = 0x60;
inline constexpr std::uint8_t kCmdLimitsOff = 0x63;
inline constexpr std::uint8_t kCmdLimitEast = 0x66;
inline constexpr std::uint8_t kCmdLimitWest = 0x67;
inline constexpr std::uint8_t kCmdDriveEast = 0x68;
inline constexpr std::uint8_t kCmdDriveWest = 0x69;
inline constexpr std::uint8_t kCmdStorePosition = 0x6A;
inline constexpr std::uint8_t kCmdGotoPosition = 0x6B;
inline constexpr std::uint8_t kCmdGotoAngle = 0x6E;

struct DiseqcFrame {
    std::uint8_t framing = 0;
    std::uint8_t address = 0;
    std::uint8_t command = 0;
    std::vector<std::uint8_t> data;

    bool IsRepeat() const { return (framing & 0x01) != 0; }
};

// The whole length (framing to last data byte) of a message with this
// command, or nothing for a command whose length is not known here.
std::optional<std::size_t> DiseqcLengthOf(std::uint8_t command);

struct DiseqcParse {
    std::optional<DiseqcFrame> frame;
    std::string error; // why the bytes are no message from the master
};
// Splits raw bytes. Refused: fewer than 3 bytes, a framing byte that is not a
// master command (E0 to E3), a known command with the wrong number of data
// bytes.
DiseqcParse ParseDiseqc(const std::uint8_t* bytes, std::size_t length);

} // namespace sim
