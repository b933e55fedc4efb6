#pragma once
// The world's DeviceRemovalAfter: a device-removal notice delivered once, a
// number of milliseconds after the machine started, on the machine's clock.
// The program's start-up installs the handler that turns it into the main
// window's device-change message (removal complete).
//
// Threads: the timer waits on a thread of its own and calls the handler
// there, once, without holding any lock; a handler installed after the time
// has come is called at once, on the installing thread. The handler must not
// destroy the timer. Destruction ends the thread (waiting for a handler that
// is running).
#include "sim/tuner/SimClock.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace sim {

class DeviceRemovalTimer {
public:
    // afterMs 0: never. The clock outlives the timer.
    DeviceRemovalTimer(const SimClock& clock, std::uint32_t afterMs);
    ~DeviceRemovalTimer();
    DeviceRemovalTimer(const DeviceRemovalTimer&) = delete;
    DeviceRemovalTimer& operator=(const DeviceRemovalTimer&) = delete;

    // Replaces the handler; an empty one drops the notice until another is set.
    void SetHandler(std::function<void()> handler);
    // Whether the notice has been handed to a handler.
    bool Delivered();

private:
    void Run(std::int64_t dueMs);
    // Calls the handler if the notice is due and not yet delivered; takes the lock itself.
    void DeliverIfDue();

    const SimClock& m_clock;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::function<void()> m_handler;
    bool m_due = false;
    bool m_delivered = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace sim
