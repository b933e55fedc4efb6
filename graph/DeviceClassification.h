#pragma once
// The model code of a tuner from its friendly name (deviceType of TunerGraph).
// Pure; any thread.
#include "platform/com/WinTypes.h"

#include <string_view>

// Model codes of deviceType (ClassifyDevice).
inline constexpr LONG DEVICE_TYPE_UNSUPPORTED = 0;
inline constexpr LONG DEVICE_TYPE_N71 = 1;
inline constexpr LONG DEVICE_TYPE_N72_TUNER_A = 2;
inline constexpr LONG DEVICE_TYPE_N72_TUNER_B = 3;
inline constexpr LONG DEVICE_TYPE_U31 = 4;

// Searches the name (case-sensitively, anywhere in it) for each model text in
// this order, the last hit deciding: "Kavro N71 DVBS/S2 Tuner" 1,
// "Kavro N72 DVBS/S2 Tuner A" 2, "Kavro N72 DVBS/S2 Tuner B" 3,
// "Kavro U31 DVBS2 Tuner" 4; no hit 0 (not supported).
LONG ClassifyDevice(std::wstring_view name);
