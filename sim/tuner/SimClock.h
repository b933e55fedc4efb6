#pragma once
// The time the simulated hardware runs on, in milliseconds from an arbitrary
// start. The machine uses SteadyClock; tests hand in a clock they advance
// themselves, so nothing in them waits for real time. Any thread may read a
// clock.
#include <cstdint>

namespace sim {

class SimClock {
public:
    virtual ~SimClock() = default;
    virtual std::int64_t NowMs() const = 0;
};

// Real monotonic time.
class SteadyClock final : public SimClock {
public:
    std::int64_t NowMs() const override;
};

} // namespace sim
