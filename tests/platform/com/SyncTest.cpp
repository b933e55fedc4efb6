#include "filterbase/CCritSec.h"
#include "platform/com/Sync.h"
#include "platform/com/Tick.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

TEST(Interlocked, ManyThreadsCountExactly)
{
    LONG count = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                InterlockedIncrement(&count);
                InterlockedIncrement(&count);
                InterlockedDecrement(&count);
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(count, 40000);
    EXPECT_EQ(InterlockedExchange(&count, 7), 40000);
    EXPECT_EQ(InterlockedCompareExchange(&count, 9, 6), 7); // no swap
    EXPECT_EQ(InterlockedCompareExchange(&count, 9, 7), 7);
    EXPECT_EQ(count, 9);
}

TEST(CriticalSection, OwnerReentersOthersWait)
{
    CCritSec lock;
    lock.Lock();
    lock.Lock(); // re-entrant for its owner
    std::atomic<bool> otherGotIt{false};
    std::thread other([&] {
        EXPECT_FALSE(lock.TryLock());
        CAutoLock hold(&lock);
        otherGotIt = true;
    });
    lock.Unlock();
    Sleep(20);
    EXPECT_FALSE(otherGotIt); // still held once
    lock.Unlock();
    other.join();
    EXPECT_TRUE(otherGotIt);

    CRITICAL_SECTION cs;
    InitializeCriticalSection(&cs);
    EnterCriticalSection(&cs);
    EXPECT_TRUE(TryEnterCriticalSection(&cs));
    LeaveCriticalSection(&cs);
    LeaveCriticalSection(&cs);
    DeleteCriticalSection(&cs);
}

TEST(Mutex, OwnerSemanticsAcrossThreads)
{
    HANDLE mutex = CreateMutex(nullptr, FALSE, nullptr);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(ReleaseMutex(mutex), FALSE); // nobody owns it

    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0); // recursive for the owner

    std::thread other([&] {
        EXPECT_EQ(ReleaseMutex(mutex), FALSE); // not the owner
        EXPECT_EQ(WaitForSingleObject(mutex, 10), WAIT_TIMEOUT);
        EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
        EXPECT_EQ(ReleaseMutex(mutex), TRUE);
    });
    Sleep(30);
    EXPECT_EQ(ReleaseMutex(mutex), TRUE);
    Sleep(10);
    EXPECT_EQ(ReleaseMutex(mutex), TRUE); // second release frees it for the other thread
    other.join();
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    EXPECT_EQ(ReleaseMutex(mutex), TRUE);
    EXPECT_EQ(CloseHandle(mutex), TRUE);
}

TEST(Mutex, InitialOwnerAndExclusion)
{
    HANDLE mutex = CreateMutex(nullptr, TRUE, nullptr);
    int shared = 0;
    std::thread other([&] {
        WaitForSingleObject(mutex, INFINITE);
        shared += 1;
        ReleaseMutex(mutex);
    });
    Sleep(20);
    EXPECT_EQ(shared, 0);
    shared = 10;
    ReleaseMutex(mutex);
    other.join();
    EXPECT_EQ(shared, 11);
    CloseHandle(mutex);
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
}

TEST(Event, AutoResetWakesOneWaitManualStaysSet)
{
    HANDLE automatic = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    SetEvent(automatic);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);

    HANDLE manual = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::thread setter([&] {
        Sleep(10);
        SetEvent(manual);
    });
    EXPECT_EQ(WaitForSingleObject(manual, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    ResetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    setter.join();
    CloseHandle(automatic);
    CloseHandle(manual);
}

TEST(Tick, AdvancesWithSleep)
{
    // Windows' tick count moves in steps of the system timer (up to 16 ms).
#ifdef _WIN32
    constexpr DWORD kResolution = 16;
#else
    constexpr DWORD kResolution = 0;
#endif
    const DWORD before = GetTickCount();
    Sleep(25);
    EXPECT_GE(GetTickCount() - before, 25u - kResolution);
}

} // namespace
