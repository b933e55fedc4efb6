#include "platform/ui/UiThread.h"

#include "platform/com/DebugOut.h"
#include "platform/com/Sync.h"
#include "platform/ui/UiThreadWake.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace {

struct CarriedCall {
    std::function<void()> fn;
    bool done = false;
};

// Process-wide queue of calls waiting for the UI thread.
struct Carrier {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::shared_ptr<CarriedCall>> queue;
};

Carrier& TheCarrier()
{
    static Carrier carrier;
    return carrier;
}

void RunGuarded(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (...) {
        OutputDebugStringA("ui: a call carried to the UI thread threw; dropped");
    }
}

} // namespace

void DeliverCarriedCalls()
{
    if (!IsUiThread()) {
        return;
    }
    Carrier& carrier = TheCarrier();
    for (;;) {
        std::shared_ptr<CarriedCall> call;
        {
            std::lock_guard guard(carrier.lock);
            if (carrier.queue.empty()) {
                return;
            }
            call = carrier.queue.front();
            carrier.queue.pop_front();
        }
        RunGuarded(call->fn);
        {
            std::lock_guard guard(carrier.lock);
            call->done = true;
        }
        carrier.changed.notify_all();
    }
}

bool RunOnUiThread(const std::function<void()>& fn)
{
    if (!UiThreadExists()) {
        return false;
    }
    if (IsUiThread()) {
        RunGuarded(fn);
        return true;
    }
    Carrier& carrier = TheCarrier();
    auto call = std::make_shared<CarriedCall>();
    call->fn = fn;
    {
        std::lock_guard guard(carrier.lock);
        carrier.queue.push_back(call);
    }
    // Wakes an idle UI thread; a UI thread already waiting in WaitDelivering
    // sees the queue through the condition instead.
    carrier.changed.notify_all();
    WakeUiThread();
    std::unique_lock lock(carrier.lock);
    carrier.changed.wait(lock, [&] { return call->done; });
    return true;
}

bool WaitDelivering(const std::function<bool()>& done, DWORD milliseconds)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    const bool ui = IsUiThread();
    Carrier& carrier = TheCarrier();
    for (;;) {
        if (ui) {
            DeliverCarriedCalls();
        }
        if (done()) {
            return true;
        }
        if (milliseconds != INFINITE && Clock::now() >= deadline) {
            return false;
        }
        // done() may change without a notice (another thread's flag, a lock
        // released), so the wait is sliced; a newly carried call ends it early.
        std::unique_lock lock(carrier.lock);
        carrier.changed.wait_for(lock, std::chrono::milliseconds(5), [&] { return ui && !carrier.queue.empty(); });
    }
}

DWORD WaitForSingleObjectDelivering(HANDLE handle, DWORD milliseconds)
{
    DWORD result = WAIT_TIMEOUT;
    WaitDelivering(
        [&] {
            result = WaitForSingleObject(handle, 0);
            return result != WAIT_TIMEOUT;
        },
        milliseconds);
    return result;
}
