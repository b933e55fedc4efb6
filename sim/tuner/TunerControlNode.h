#pragma once
// The tuner's control node: IBDA_SignalStatistics over the demodulator, or,
// for a world that takes the statistics away, a node that offers nothing but
// IUnknown. Created with one reference for the caller; any thread.
#include "platform/com/Unknown.h"
#include "sim/tuner/TunerDevice.h"

#include <memory>

namespace sim {

// statistics false: a node without IBDA_SignalStatistics.
HRESULT CreateTunerControlNode(std::shared_ptr<sim::TunerDevice> device, bool statistics, IUnknown** ppNode);

} // namespace sim
