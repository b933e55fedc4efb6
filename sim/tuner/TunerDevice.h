#pragma once
// One simulated tuner as hardware: its demodulator with the LNB cable behind
// it, and the driver in front. Shared (std::shared_ptr) by the device's
// filters and the installer, so it lives as long as any of them. The sky and
// the clock outlive it. Thread-safe as its parts are.
#include "sim/tuner/Demodulator.h"
#include "sim/tuner/Driver.h"

namespace sim {

struct TunerDevice {
    TunerDevice(const Sky& sky, const CableSpec& cable, const Site& site, const SimClock& clock, PropertyModes modes)
        : demodulator(sky, cable, site, clock),
          driver(demodulator, std::move(modes))
    {}
    TunerDevice(const TunerDevice&) = delete;
    TunerDevice& operator=(const TunerDevice&) = delete;

    Demodulator demodulator;
    Driver driver;
};

} // namespace sim
