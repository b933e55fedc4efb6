#pragma once
// The DiSEqC 1.0 committed-switch command the Tuner Setting page sends before
// each tune, and the band decision it depends on. Pure; any thread.
//
// Frame (DiSEqC bus specification 1.0, "write to port group 0"):
//   E0  framing: command from master, no reply required, first transmission
//   10  address: any LNB, switcher or SMATV
//   38  command: write N0, the committed switches
//   Fx  data: high nibble set; bit 0 high band, bit 1 horizontal, bits 2-3 port
#include "platform/com/WinTypes.h"

#include <array>
#include <cstdint>
#include <optional>

inline constexpr std::size_t kCommittedSwitchLength = 4;
using CommittedSwitchCommand = std::array<BYTE, kCommittedSwitchLength>;

// High band when the transponder frequency lies above the switch frequency,
// both in MHz and compared as unsigned 32-bit numbers (equal is low band).
bool IsHighBand(std::uint32_t frequencyMhz, std::uint32_t switchMhz);

// The command for port 1..4 ("Diseqc A".."Diseqc D"); nothing for 0 ("Diseqc
// NULL"), -1 (no selection) or any other value. polarityByte is the tuning
// block's: 0 horizontal, anything else vertical.
std::optional<CommittedSwitchCommand> MakeCommittedSwitch(LONG port, BYTE polarityByte, bool highBand);
