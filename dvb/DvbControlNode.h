#pragma once
// The DVB tuner's control node: IBDA_SignalStatistics over the frontend
// (lock from its status, strength and quality mapped from its level and C/N,
// DvbTuning.h), or a node with nothing but IUnknown when the filter's
// options take the statistics away. One reference for the caller; any thread.
#include "dvb/DvbTunerDevice.h"
#include "platform/com/Unknown.h"

#include <memory>

namespace dvb {

HRESULT CreateDvbControlNode(std::shared_ptr<DvbTunerDevice> device, bool statistics, IUnknown** ppNode);

} // namespace dvb
