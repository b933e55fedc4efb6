#pragma once
// The simulator's clock for a fuzz target: time moves only when the input says.
#include "sim/tuner/SimClock.h"

#include <cstdint>

class StepClock final : public sim::SimClock {
public:
    std::int64_t NowMs() const override { return m_now; }
    void Advance(std::int64_t ms) { m_now += ms; }

private:
    std::int64_t m_now = 1'000'000;
};
