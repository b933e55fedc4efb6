// The platform memory allocator: properties, commit and decommit, a pool
// that makes GetBuffer wait, samples that come back on their last Release,
// and all of it across threads.
#include "runtime/graph/MemAllocator.h"

#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/dshow/Uuids.h"
#include "tests/support/ComAssert.h"
#include "tests/support/SimObjectCheck.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace {

ComPtr<IMemAllocator> NewAllocator()
{
    ComPtr<IMemAllocator> allocator;
    EXPECT_HR(S_OK,
              runtime::MemAllocator::CreateInstance(nullptr, IID_IMemAllocator, reinterpret_cast<void**>(&allocator)));
    return allocator;
}

ComPtr<IMemAllocator> CommittedAllocator(LONG buffers, LONG size)
{
    ComPtr<IMemAllocator> allocator = NewAllocator();
    ALLOCATOR_PROPERTIES request{buffers, size, 1, 0};
    ALLOCATOR_PROPERTIES actual{};
    EXPECT_HR(S_OK, allocator->SetProperties(&request, &actual));
    EXPECT_HR(S_OK, allocator->Commit());
    return allocator;
}

class MemAllocatorTest : public ::testing::Test {
protected:
    void TearDown() override { m_live.ExpectNoneLeft(); }

private:
    SimObjectCheck m_live;
};

TEST_F(MemAllocatorTest, SetPropertiesValidatesAndRoundsTheRequest)
{
    struct Case {
        const char* name;
        ALLOCATOR_PROPERTIES request;
        HRESULT expected;
        ALLOCATOR_PROPERTIES actual;
    };
    const Case cases[] = {
        {"exact request", {4, 188, 1, 0}, S_OK, {4, 188, 1, 0}},
        {"size rounded up to the alignment", {2, 100, 16, 0}, S_OK, {2, 112, 16, 0}},
        {"prefix kept, data still aligned", {2, 64, 16, 5}, S_OK, {2, 64, 16, 5}},
        {"zero alignment", {4, 188, 0, 0}, VFW_E_BADALIGN, {}},
        {"alignment not a power of two", {4, 188, 3, 0}, VFW_E_BADALIGN, {}},
        {"negative buffer count", {-1, 188, 1, 0}, E_INVALIDARG, {}},
        {"negative buffer size", {4, -188, 1, 0}, E_INVALIDARG, {}},
        {"negative prefix", {4, 188, 1, -1}, E_INVALIDARG, {}},
        {"pool above a gigabyte", {1 << 20, 1 << 11, 1, 0}, E_OUTOFMEMORY, {}},
        {"size that overflows when aligned", {1, 0x7FFFFFFF, 1024, 0}, E_OUTOFMEMORY, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<IMemAllocator> allocator = NewAllocator();
        ALLOCATOR_PROPERTIES request = c.request;
        ALLOCATOR_PROPERTIES actual{};
        EXPECT_HR(c.expected, allocator->SetProperties(&request, &actual));
        if (c.expected == S_OK) {
            EXPECT_EQ(c.actual.cBuffers, actual.cBuffers);
            EXPECT_EQ(c.actual.cbBuffer, actual.cbBuffer);
            EXPECT_EQ(c.actual.cbAlign, actual.cbAlign);
            EXPECT_EQ(c.actual.cbPrefix, actual.cbPrefix);
            ALLOCATOR_PROPERTIES stored{};
            EXPECT_HR(S_OK, allocator->GetProperties(&stored));
            EXPECT_EQ(actual.cbBuffer, stored.cbBuffer);
        }
    }
}

TEST_F(MemAllocatorTest, CommitAndDecommitFollowTheirOrder)
{
    ComPtr<IMemAllocator> allocator = NewAllocator();
    IMediaSample* sample = reinterpret_cast<IMediaSample*>(0x1);
    EXPECT_HR(VFW_E_NOT_COMMITTED, allocator->GetBuffer(&sample, nullptr, nullptr, 0));
    EXPECT_EQ(nullptr, sample);
    EXPECT_HR(VFW_E_SIZENOTSET, allocator->Commit());

    ALLOCATOR_PROPERTIES request{2, 188, 1, 0};
    ALLOCATOR_PROPERTIES actual{};
    ASSERT_HR(S_OK, allocator->SetProperties(&request, &actual));
    ASSERT_HR(S_OK, allocator->Commit());
    EXPECT_HR(S_OK, allocator->Commit());
    EXPECT_HR(VFW_E_ALREADY_COMMITTED, allocator->SetProperties(&request, &actual));

    ComPtr<IMediaSample> out;
    ASSERT_HR(S_OK, allocator->GetBuffer(&out, nullptr, nullptr, 0));
    EXPECT_HR(S_OK, allocator->Decommit());
    EXPECT_HR(VFW_E_NOT_COMMITTED, allocator->GetBuffer(&sample, nullptr, nullptr, 0));
    EXPECT_HR(VFW_E_BUFFERS_OUTSTANDING, allocator->SetProperties(&request, &actual));

    // The sample out during the Decommit is still usable and comes back.
    BYTE* data = nullptr;
    EXPECT_HR(S_OK, out->GetPointer(&data));
    data[0] = 0x47;
    out = nullptr;
    request.cbBuffer = 376;
    EXPECT_HR(S_OK, allocator->SetProperties(&request, &actual));
    EXPECT_HR(S_OK, allocator->Commit());
    ASSERT_HR(S_OK, allocator->GetBuffer(&out, nullptr, nullptr, 0));
    EXPECT_EQ(376, out->GetSize());
}

TEST_F(MemAllocatorTest, BuffersAreDistinctAlignedAndSized)
{
    ComPtr<IMemAllocator> allocator = NewAllocator();
    ALLOCATOR_PROPERTIES request{3, 100, 64, 8};
    ALLOCATOR_PROPERTIES actual{};
    ASSERT_HR(S_OK, allocator->SetProperties(&request, &actual));
    ASSERT_HR(S_OK, allocator->Commit());
    std::vector<ComPtr<IMediaSample>> samples(3);
    std::vector<BYTE*> data(3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_HR(S_OK, allocator->GetBuffer(&samples[i], nullptr, nullptr, 0));
        ASSERT_HR(S_OK, samples[i]->GetPointer(&data[i]));
        EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(data[i]) % 64) << "buffer " << i;
        EXPECT_EQ(actual.cbBuffer, samples[i]->GetSize());
        // Every byte of the buffer and of its prefix is ours to write.
        for (LONG b = -actual.cbPrefix; b < actual.cbBuffer; ++b) {
            data[i][b] = static_cast<BYTE>(i);
        }
    }
    for (int i = 0; i < 3; ++i) {
        for (LONG b = 0; b < actual.cbBuffer; ++b) {
            ASSERT_EQ(static_cast<BYTE>(i), data[i][b]) << "buffer " << i << " overlaps another at " << b;
        }
    }
}

TEST_F(MemAllocatorTest, LastReleaseReturnsTheSampleToThePool)
{
    ComPtr<IMemAllocator> allocator = CommittedAllocator(1, 188);
    ComPtr<IMediaSample> first;
    ASSERT_HR(S_OK, allocator->GetBuffer(&first, nullptr, nullptr, 0));
    IMediaSample* raw = first.Get();
    first->AddRef();
    first = nullptr; // one reference still out: the buffer is not back

    std::atomic<bool> got{false};
    ComPtr<IMediaSample> second;
    std::thread waiter([&] {
        EXPECT_HR(S_OK, allocator->GetBuffer(&second, nullptr, nullptr, 0));
        got = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(got) << "GetBuffer returned while the only buffer was out";
    EXPECT_EQ(0u, raw->Release());
    waiter.join();
    EXPECT_TRUE(got);
    EXPECT_EQ(raw, second.Get());
}

TEST_F(MemAllocatorTest, DecommitReleasesEveryWaiter)
{
    ComPtr<IMemAllocator> allocator = CommittedAllocator(1, 188);
    ComPtr<IMediaSample> held;
    ASSERT_HR(S_OK, allocator->GetBuffer(&held, nullptr, nullptr, 0));

    std::atomic<int> waiting{0};
    std::vector<std::thread> waiters;
    std::vector<HRESULT> results(3, S_OK);
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&, i] {
            ++waiting;
            IMediaSample* sample = nullptr;
            results[i] = allocator->GetBuffer(&sample, nullptr, nullptr, 0);
            if (sample) {
                sample->Release();
            }
        });
    }
    while (waiting < 3) {
        std::this_thread::yield();
    }
    EXPECT_HR(S_OK, allocator->Decommit());
    for (auto& t : waiters) {
        t.join();
    }
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        // A waiter that had not started waiting yet finds the pool decommitted too.
        EXPECT_HR(VFW_E_NOT_COMMITTED, results[i]);
    }
}

TEST_F(MemAllocatorTest, NoWaitAnswersAtOnceWhenEveryBufferIsOut)
{
    ComPtr<IMemAllocator> allocator = CommittedAllocator(1, 188);
    ComPtr<IMediaSample> held;
    ASSERT_HR(S_OK, allocator->GetBuffer(&held, nullptr, nullptr, AM_GBF_NOWAIT));
    ComPtr<IMediaSample> none;
    EXPECT_HR(VFW_E_TIMEOUT, allocator->GetBuffer(&none, nullptr, nullptr, AM_GBF_NOWAIT));
    EXPECT_EQ(nullptr, none.Get());
    held = nullptr;
    ASSERT_HR(S_OK, allocator->GetBuffer(&held, nullptr, nullptr, AM_GBF_NOWAIT));
    held = nullptr;
    EXPECT_HR(S_OK, allocator->Decommit());
    EXPECT_HR(VFW_E_NOT_COMMITTED, allocator->GetBuffer(&none, nullptr, nullptr, AM_GBF_NOWAIT));
}

TEST_F(MemAllocatorTest, OutstandingSampleKeepsThePoolAlive)
{
    ComPtr<IMediaSample> sample;
    {
        ComPtr<IMemAllocator> allocator = CommittedAllocator(2, 188);
        ASSERT_HR(S_OK, allocator->GetBuffer(&sample, nullptr, nullptr, 0));
        EXPECT_HR(S_OK, allocator->Decommit());
    }
    BYTE* data = nullptr;
    ASSERT_HR(S_OK, sample->GetPointer(&data));
    for (LONG i = 0; i < sample->GetSize(); ++i) {
        data[i] = 0xFF;
    }
    // Releasing it frees the pool; the fixture checks nothing stays alive.
}

TEST_F(MemAllocatorTest, ReleaseBufferRefusesForeignAndReturnedSamples)
{
    ComPtr<IMemAllocator> mine = CommittedAllocator(1, 188);
    ComPtr<IMemAllocator> other = CommittedAllocator(1, 188);
    ComPtr<IMediaSample> foreign;
    ASSERT_HR(S_OK, other->GetBuffer(&foreign, nullptr, nullptr, 0));
    EXPECT_HR(E_INVALIDARG, mine->ReleaseBuffer(foreign.Get()));
    EXPECT_HR(E_POINTER, mine->ReleaseBuffer(nullptr));

    ComPtr<IMediaSample> own;
    ASSERT_HR(S_OK, mine->GetBuffer(&own, nullptr, nullptr, 0));
    IMediaSample* raw = own.Get();
    own = nullptr;
    EXPECT_HR(E_UNEXPECTED, mine->ReleaseBuffer(raw));
}

TEST_F(MemAllocatorTest, CreatedByClassIdentifierWithoutAggregation)
{
    ASSERT_HR(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    runtime::RegisterMemAllocatorClass();
    ComPtr<IMemAllocator> allocator;
    EXPECT_HR(S_OK,
              CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                               reinterpret_cast<void**>(&allocator)));
    ASSERT_TRUE(allocator);
    EXPECT_EQ(1u, refCount(allocator.Get()));
    expectInterface(allocator.Get(), IID_IUnknown, true);
    expectInterface(allocator.Get(), IID_IMediaSample, false);

    int outer = 0;
    void* aggregated = reinterpret_cast<void*>(0x1);
    EXPECT_HR(CLASS_E_NOAGGREGATION,
              runtime::MemAllocator::CreateInstance(reinterpret_cast<IUnknown*>(&outer), IID_IUnknown, &aggregated));
    EXPECT_EQ(nullptr, aggregated);
    allocator = nullptr;
    UnregisterComClass(CLSID_MemoryAllocator);
    CoUninitialize();
}

TEST_F(MemAllocatorTest, ProducersAndConsumersShareThePoolAcrossThreads)
{
    // A streaming thread fills buffers and hands them to a consumer thread
    // that checks and releases them, while the pool is smaller than the
    // number of buffers in flight: both sides wait on each other through
    // GetBuffer alone.
    ComPtr<IMemAllocator> allocator = CommittedAllocator(3, 1024);
    constexpr int kSamples = 2000;
    std::vector<IMediaSample*> queue;
    std::mutex queueLock;
    std::condition_variable queued;
    std::atomic<int> bad{0};

    std::thread producer([&] {
        for (int n = 0; n < kSamples; ++n) {
            IMediaSample* sample = nullptr;
            if (FAILED(allocator->GetBuffer(&sample, nullptr, nullptr, 0))) {
                ++bad;
                return;
            }
            BYTE* data = nullptr;
            sample->GetPointer(&data);
            for (LONG i = 0; i < sample->GetSize(); ++i) {
                data[i] = static_cast<BYTE>(n + i);
            }
            sample->SetActualDataLength(n % sample->GetSize());
            std::lock_guard guard(queueLock);
            queue.push_back(sample);
            queued.notify_one();
        }
    });
    std::thread consumer([&] {
        for (int n = 0; n < kSamples; ++n) {
            IMediaSample* sample = nullptr;
            {
                std::unique_lock guard(queueLock);
                queued.wait(guard, [&] { return !queue.empty(); });
                sample = queue.front();
                queue.erase(queue.begin());
            }
            BYTE* data = nullptr;
            sample->GetPointer(&data);
            if (sample->GetActualDataLength() != n % sample->GetSize() || data[7] != static_cast<BYTE>(n + 7)) {
                ++bad;
            }
            sample->Release();
        }
    });
    producer.join();
    consumer.join();
    EXPECT_EQ(0, bad.load());
    EXPECT_HR(S_OK, allocator->Decommit());
}

} // namespace
