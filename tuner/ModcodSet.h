#pragma once
// The DVB-S2 MODCODs the "Select Mode Code" dialog offers, in MODCOD order
// (EN 302 307 numbering, 1 QPSK 1/4 to 28 32APSK 9/10), with the id and label
// of each check box, and the MODCOD filter list built from a choice. Pure; any
// thread.
#include "platform/driver/KavroProperties.h"

#include <array>
#include <cstddef>

inline constexpr std::size_t kModcodCount = 28;

struct ModcodBox {
    std::uint32_t modcod; // 1..28
    int boxId;            // the check box of template 142
    const wchar_t* label;
};

// The 28 boxes in MODCOD order.
const std::array<ModcodBox, kModcodCount>& ModcodBoxes();

// chosen[i] is MODCOD i+1. Each chosen MODCOD, in MODCOD order, gives four
// entries with the qualifier pairs (1,0), (1,1), (0,0), (0,1); count = 4 x the
// number chosen; the entries after the count are zero.
ModcodList BuildModcodList(const std::array<bool, kModcodCount>& chosen);

// Every MODCOD chosen: count 112.
ModcodList FullModcodList();
