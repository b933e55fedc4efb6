#include "sim/tuner/DiseqcFrame.h"

namespace sim {

std::optional<std::size_t> DiseqcLengthOf(std::uint8_t command)
{
    switch (command) {
    case 0x00: // reset
    case 0x02: // standby
    case 0x03: // power on
    case kCmdHalt:
    case kCmdLimitsOff:
    case kCmdLimitEast:
    case kCmdLimitWest:
        return 3;
    case kCmdWriteN0:
    case 0x39: // uncommitted switches
    case kCmdDriveEast:
    case kCmdDriveWest:
    case kCmdStorePosition:
    case kCmdGotoPosition:
        return 4;
    case kCmdGotoAngle:
        return 5;
    default:
        if (command >= 0x20 && command <= 0x2F) {
            return 3; // single switch bits, no data
        }
        return std::nullopt;
    }
}

DiseqcParse ParseDiseqc(const std::uint8_t* bytes, std::size_t length)
{
    if (!bytes || length < 3) {
        return {std::nullopt, "shorter than framing, address and command"};
    }
    if (bytes[0] < 0xE0 || bytes[0] > 0xE3) {
        return {std::nullopt, "framing byte is not a command from the master"};
    }
    if (const auto expected = DiseqcLengthOf(bytes[2]); expected && *expected != length) {
        return {std::nullopt, "command takes " + std::to_string(*expected) + " bytes, not " + std::to_string(length)};
    }
    DiseqcFrame frame;
    frame.framing = bytes[0];
    frame.address = bytes[1];
    frame.command = bytes[2];
    frame.data.assign(bytes + 3, bytes + length);
    return {std::move(frame), {}};
}

} // namespace sim
