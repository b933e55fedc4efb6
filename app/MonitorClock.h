#pragma once
// The monitor's waits. The running program waits real milliseconds and cuts
// a wait short once the monitor is asked to stop (so the window's shutdown
// does not sit out a second); tests count the waits instead.
// Any thread.
#include "platform/com/WinTypes.h"

#include <condition_variable>
#include <mutex>

class MonitorClock {
public:
    virtual ~MonitorClock() = default;
    virtual void Wait(DWORD milliseconds) = 0;
};

class StoppableClock final : public MonitorClock {
public:
    // Returns after milliseconds, or at once after Stop.
    void Wait(DWORD milliseconds) override;
    // Ends every wait in progress and every later one.
    void Stop();

private:
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stopped = false;
};
