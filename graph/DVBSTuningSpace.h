#pragma once
// The DVB-S tuning space "helvane dvb-s" in the system tuning space store, and
// the DVB-S network provider made from it. User-interface thread, inside a
// COM apartment. Every returned interface carries one reference for the
// caller.
#include "platform/com/ComPtr.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/dshow/TuningInterfaces.h"

// The unique name the program registers its tuning space under.
inline constexpr const wchar_t* kTuningSpaceUniqueName = L"helvane dvb-s";

// A new DVB-S tuning space, not registered: network type the DVB-S network
// provider, system type satellite, a default DVB-S locator, empty frequency
// mapping, friendly name "Local DVBS Tuner", unique name "helvane dvb-s", and
// every LNB value unset (oscillators and switch -1, input range "-1",
// spectral inversion not set). Null when the tuning space or the locator
// cannot be created.
ComPtr<ITuningSpace> CreateDVBSTuningSpace();

// The first tuning space of the system store whose unique name is exactly
// "helvane dvb-s"; without one, a new one (CreateDVBSTuningSpace) added to the
// store. Null when the store cannot be created.
ComPtr<ITuningSpace> GetDVBSTuningSpace();

// Finds the tuning space (into TunerGraph's tuningSpace field), creates the
// network provider its network type names and hands the provider the tuning
// space and an empty tune request. Null when either is unavailable.
ComPtr<IBaseFilter> CreateDVBSNetworkProvider();
