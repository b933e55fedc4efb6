#pragma once
// Filters for driving the simulated graph: a transport stream source whose
// own thread delivers samples while the graph runs, and a consumer that
// records what it receives, on which thread, and whether a thread is inside
// it.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBaseInputPin.h"
#include "filterbase/CBaseOutputPin.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class TestSource;

class TestSourcePin final : public CBaseOutputPin {
public:
    TestSourcePin(TestSource* source, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps) override;
};

// Packets of 188 bytes, 16 per sample: the first of each sample on PID 0
// (a table PID), the rest on PID 0x100.
class TestSource final : public CBaseFilter {
public:
    // One reference for the caller.
    static TestSource* Create();

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_pin.get() : nullptr; }
    STDMETHODIMP Run(REFERENCE_TIME tStart) override;
    // Stops the pins (which releases a thread waiting for a buffer), then
    // waits for the streaming thread to end.
    STDMETHODIMP Stop() override;

    IPin* Pin() { return m_pin.get(); }
    std::thread::id StreamingThread();
    bool Streaming();
    long SamplesDelivered() const { return m_delivered.load(); }

private:
    TestSource();
    ~TestSource() override;
    void Stream();

    CCritSec m_lock;
    std::unique_ptr<TestSourcePin> m_pin;
    std::mutex m_threadLock;
    std::thread m_thread;
    std::thread::id m_threadId;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_delivered{0};
};

class TestConsumer;

class TestConsumerPin final : public CBaseInputPin {
public:
    TestConsumerPin(TestConsumer* consumer, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP ReceiveCanBlock() override { return S_FALSE; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }
    STDMETHODIMP QueryInternalConnections(IPin**, ULONG* nPin) override;

private:
    TestConsumer* const m_consumer;
};

class TestConsumer final : public CBaseFilter {
public:
    struct Seen {
        IMediaSample* sample;
        BYTE* buffer;
        std::thread::id thread;
    };

    static TestConsumer* Create();

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_pin.get() : nullptr; }

    IPin* Pin() { return m_pin.get(); }
    // Waits (up to a generous bound) until count samples have arrived.
    bool WaitForSamples(std::size_t count);
    std::vector<Seen> Received();
    int ThreadsInside() const { return m_inside.load(); }

    void Record(IMediaSample* sample);

private:
    TestConsumer();
    ~TestConsumer() override;

    CCritSec m_lock;
    std::unique_ptr<TestConsumerPin> m_pin;
    std::mutex m_seenLock;
    std::condition_variable m_arrived;
    std::vector<Seen> m_seen;
    std::atomic<int> m_inside{0};
};
