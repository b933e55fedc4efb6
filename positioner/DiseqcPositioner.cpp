#include "positioner/DiseqcPositioner.h"

#include "positioner/TextNumber.h"

namespace {

// Command bytes of the positioner command set.
constexpr std::uint8_t kHalt = 0x60;
constexpr std::uint8_t kLimitsOff = 0x63;
constexpr std::uint8_t kLimitEast = 0x66;
constexpr std::uint8_t kLimitWest = 0x67;
constexpr std::uint8_t kDriveEast = 0x68;
constexpr std::uint8_t kDriveWest = 0x69;
constexpr std::uint8_t kStoreNn = 0x6A;
constexpr std::uint8_t kGotoNn = 0x6B;

// Data bytes of the drive commands: 0x80..0xFF are steps (0xFF one step), 0x01..0x7F
// seconds of driving; the "Drive" buttons drive for 0x50, 80 seconds, unless halted or
// stopped by a limit first.
constexpr std::uint8_t kOneStep = 0xFF;
constexpr std::uint8_t kDriveData = 0x50;

struct CommandBytes {
    std::uint8_t command;
    bool hasData;
    std::uint8_t data; // fixed data; the stored-position commands take the position instead
};

CommandBytes BytesOf(MotorCommand command)
{
    switch (command) {
    case MotorCommand::StepEast:
        return {kDriveEast, true, kOneStep};
    case MotorCommand::StepWest:
        return {kDriveWest, true, kOneStep};
    case MotorCommand::DriveEast:
        return {kDriveEast, true, kDriveData};
    case MotorCommand::DriveWest:
        return {kDriveWest, true, kDriveData};
    case MotorCommand::Halt:
        return {kHalt, false, 0};
    case MotorCommand::LimitEast:
        return {kLimitEast, false, 0};
    case MotorCommand::LimitWest:
        return {kLimitWest, false, 0};
    case MotorCommand::LimitsOff:
        return {kLimitsOff, false, 0};
    case MotorCommand::GotoPosition:
        return {kGotoNn, true, 0};
    case MotorCommand::StorePosition:
        return {kStoreNn, true, 0};
    }
    return {kHalt, false, 0};
}

} // namespace

PositionerMessage MotorCommandMessage(MotorCommand command, std::uint8_t framing, std::uint8_t position)
{
    const CommandBytes bytes = BytesOf(command);
    PositionerMessage message;
    message.bytes[0] = framing;
    message.bytes[1] = kDiseqcPositionerAddress;
    message.bytes[2] = bytes.command;
    message.length = 3;
    if (bytes.hasData) {
        const bool stored = command == MotorCommand::GotoPosition || command == MotorCommand::StorePosition;
        message.bytes[3] = stored ? position : bytes.data;
        message.length = 4;
    }
    return message;
}

std::uint8_t PositionNumberFromText(std::string_view text)
{
    // Modulo 256 on the two's-complement pattern: -1 is 0xFF.
    return static_cast<std::uint8_t>(static_cast<unsigned long>(TextToLong(text)) & 0xFFu);
}
