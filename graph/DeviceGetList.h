#pragma once
// The friendly names of all broadcast network tuners, in enumeration order, for
// the device selection. User-interface thread, inside a COM apartment.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The device list record: a count and 16 slots of 260 bytes, each one name as
// UTF-8 with its terminator. A machine with more than 16 tuners keeps the names
// from the 17th device on in `further`, so every tuner can be chosen and a slot is
// never written past its end.
struct DeviceListRecord {
    static constexpr std::size_t kSlots = 16;
    static constexpr std::size_t kSlotBytes = 260;

    std::int32_t count = 0; // slots in use, 0..kSlots
    std::array<std::array<char, kSlotBytes>, kSlots> entries{};
    std::vector<std::string> further;

    // Every device listed: the slots, then the further ones.
    std::size_t Total() const { return static_cast<std::size_t>(count) + further.size(); }
    // The name at enumeration position index (< Total()).
    std::string Name(std::size_t index) const;
};

// Clears list, then lists the tuner category into it; a device whose name cannot
// be read keeps its position with an empty name. Writes ">> DeviceGetList" and
// "<< DeviceGetList" to the diagnostic log. 1 when no device was found, else 0.
int DeviceGetList(DeviceListRecord* list);
