#include "app/MonitorClock.h"

#include <chrono>

void StoppableClock::Wait(DWORD milliseconds)
{
    std::unique_lock lock(m_lock);
    m_wake.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_stopped; });
}

void StoppableClock::Stop()
{
    {
        std::lock_guard lock(m_lock);
        m_stopped = true;
    }
    m_wake.notify_all();
}
