#include "tuner/CommittedSwitch.h"

namespace {

constexpr BYTE kFramingFirstNoReply = 0xE0;
constexpr BYTE kAddressAnySwitch = 0x10;
constexpr BYTE kCommandWriteN0 = 0x38;
constexpr BYTE kDataAlwaysSet = 0xF0;
constexpr BYTE kDataHighBand = 0x01;
constexpr BYTE kDataHorizontal = 0x02;

} // namespace

bool IsHighBand(std::uint32_t frequencyMhz, std::uint32_t switchMhz) { return frequencyMhz > switchMhz; }

std::optional<CommittedSwitchCommand> MakeCommittedSwitch(LONG port, BYTE polarityByte, bool highBand)
{
    if (port < 1 || port > 4) return std::nullopt;
    BYTE data = kDataAlwaysSet;
    if (highBand) data |= kDataHighBand;
    if (polarityByte == 0) data |= kDataHorizontal;
    data |= static_cast<BYTE>((port - 1) << 2);
    return CommittedSwitchCommand{kFramingFirstNoReply, kAddressAnySwitch, kCommandWriteN0, data};
}
