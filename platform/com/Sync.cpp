#include "platform/com/Sync.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <thread>

static_assert(sizeof(std::atomic<LONG>) == sizeof(LONG));

LONG InterlockedIncrement(LONG volatile* addend) { return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedDecrement(LONG volatile* addend) { return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedExchange(LONG volatile* target, LONG value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand)
{
    LONG expected = comparand;
    __atomic_compare_exchange_n(destination, &expected, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return expected;
}

void InitializeCriticalSection(CRITICAL_SECTION*) {}
void DeleteCriticalSection(CRITICAL_SECTION*) {}
void EnterCriticalSection(CRITICAL_SECTION* cs) { cs->mutex.lock(); }
BOOL TryEnterCriticalSection(CRITICAL_SECTION* cs) { return cs->mutex.try_lock() ? TRUE : FALSE; }
void LeaveCriticalSection(CRITICAL_SECTION* cs) { cs->mutex.unlock(); }

namespace {

constexpr std::uint32_t kMagic = 0x4B4F424Au; // marks a live kernel object

struct KernelObject {
    std::uint32_t magic = kMagic;
    std::mutex lock;
    std::condition_variable changed;
    virtual ~KernelObject() { magic = 0; }
    // Called with lock held: true when a waiter may go, taking the object.
    virtual bool TryAcquire(DWORD& result) = 0;
};

struct MutexObject final : KernelObject {
    std::thread::id owner;
    bool owned = false;
    int recursion = 0;

    bool TryAcquire(DWORD& result) override
    {
        const auto self = std::this_thread::get_id();
        if (owned && owner == self) {
            ++recursion;
            result = WAIT_OBJECT_0;
            return true;
        }
        if (owned) {
            return false;
        }
        owned = true;
        owner = self;
        recursion = 1;
        result = WAIT_OBJECT_0;
        return true;
    }
};

struct EventObject final : KernelObject {
    bool manualReset = false;
    bool signalled = false;

    bool TryAcquire(DWORD& result) override
    {
        if (!signalled) {
            return false;
        }
        if (!manualReset) {
            signalled = false;
        }
        result = WAIT_OBJECT_0;
        return true;
    }
};

KernelObject* FromHandle(HANDLE handle)
{
    auto* object = static_cast<KernelObject*>(handle);
    if (!object || object->magic != kMagic) {
        return nullptr;
    }
    return object;
}

} // namespace

HANDLE CreateMutexW(LPVOID, BOOL initialOwner, LPCWSTR)
{
    auto* mutex = new MutexObject;
    if (initialOwner) {
        mutex->owned = true;
        mutex->owner = std::this_thread::get_id();
        mutex->recursion = 1;
    }
    return static_cast<KernelObject*>(mutex);
}

BOOL ReleaseMutex(HANDLE handle)
{
    auto* mutex = dynamic_cast<MutexObject*>(FromHandle(handle));
    if (!mutex) {
        return FALSE;
    }
    {
        std::lock_guard guard(mutex->lock);
        if (!mutex->owned || mutex->owner != std::this_thread::get_id()) {
            return FALSE; // only the owner releases
        }
        if (--mutex->recursion > 0) {
            return TRUE;
        }
        mutex->owned = false;
    }
    mutex->changed.notify_all();
    return TRUE;
}

HANDLE CreateEventW(LPVOID, BOOL manualReset, BOOL initialState, LPCWSTR)
{
    auto* event = new EventObject;
    event->manualReset = manualReset != FALSE;
    event->signalled = initialState != FALSE;
    return static_cast<KernelObject*>(event);
}

BOOL SetEvent(HANDLE handle)
{
    auto* event = dynamic_cast<EventObject*>(FromHandle(handle));
    if (!event) {
        return FALSE;
    }
    {
        std::lock_guard guard(event->lock);
        event->signalled = true;
    }
    event->changed.notify_all();
    return TRUE;
}

BOOL ResetEvent(HANDLE handle)
{
    auto* event = dynamic_cast<EventObject*>(FromHandle(handle));
    if (!event) {
        return FALSE;
    }
    std::lock_guard guard(event->lock);
    event->signalled = false;
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    KernelObject* object = FromHandle(handle);
    if (!object) {
        return WAIT_FAILED;
    }
    std::unique_lock guard(object->lock);
    DWORD result = WAIT_FAILED;
    if (milliseconds == INFINITE) {
        object->changed.wait(guard, [&] { return object->TryAcquire(result); });
        return result;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    if (object->changed.wait_until(guard, deadline, [&] { return object->TryAcquire(result); })) {
        return result;
    }
    return WAIT_TIMEOUT;
}

BOOL CloseHandle(HANDLE handle)
{
    KernelObject* object = FromHandle(handle);
    if (!object) {
        return FALSE;
    }
    delete object;
    return TRUE;
}
