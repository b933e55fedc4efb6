#include "sim/DeviceRemovalTimer.h"

#include "platform/com/Journal.h"

#include <algorithm>
#include <chrono>

namespace sim {

namespace {
// The clock may be one a test moves by hand: look at it at least this often.
constexpr std::int64_t kMaxSleepMs = 20;
} // namespace

DeviceRemovalTimer::DeviceRemovalTimer(const SimClock& clock, std::uint32_t afterMs) : m_clock(clock)
{
    if (afterMs > 0) {
        const std::int64_t due = clock.NowMs() + afterMs;
        m_thread = std::thread([this, due] { Run(due); });
    }
}

DeviceRemovalTimer::~DeviceRemovalTimer()
{
    {
        std::lock_guard guard(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void DeviceRemovalTimer::SetHandler(std::function<void()> handler)
{
    {
        std::lock_guard guard(m_lock);
        m_handler = std::move(handler);
    }
    DeliverIfDue();
}

bool DeviceRemovalTimer::Delivered()
{
    std::lock_guard guard(m_lock);
    return m_delivered;
}

void DeviceRemovalTimer::Run(std::int64_t dueMs)
{
    std::unique_lock guard(m_lock);
    while (!m_stop) {
        const std::int64_t left = dueMs - m_clock.NowMs();
        if (left <= 0) {
            m_due = true;
            guard.unlock();
            JournalWrite("sim device removal");
            DeliverIfDue();
            return;
        }
        m_wake.wait_for(guard, std::chrono::milliseconds(std::min(left, kMaxSleepMs)));
    }
}

void DeviceRemovalTimer::DeliverIfDue()
{
    std::function<void()> handler;
    {
        std::lock_guard guard(m_lock);
        if (!m_due || m_delivered || !m_handler || m_stop) return;
        m_delivered = true;
        handler = m_handler;
    }
    try {
        handler();
    } catch (...) {
        // Nothing may leave the timer's thread; the notice counts as delivered.
    }
}

} // namespace sim
