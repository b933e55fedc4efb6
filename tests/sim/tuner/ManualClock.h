#pragma once
// A clock the test moves by hand, so motion and pacing need no real waiting.
#include "sim/tuner/SimClock.h"

#include <atomic>
#include <cstdint>

class ManualClock final : public sim::SimClock {
public:
    explicit ManualClock(std::int64_t startMs = 1'000'000) : m_now(startMs) {}
    std::int64_t NowMs() const override { return m_now.load(); }
    void Advance(std::int64_t ms) { m_now += ms; }

private:
    std::atomic<std::int64_t> m_now;
};
