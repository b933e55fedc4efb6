#pragma once
// A transport stream receiver for whole-graph tests: it keeps every byte it
// receives and what each sample said of itself, counts the threads inside
// its Receive, and can hold the streaming thread on demand (a receiver that
// does not keep up).
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBaseInputPin.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class CaptureConsumer;

class CaptureConsumerPin final : public CBaseInputPin {
public:
    CaptureConsumerPin(CaptureConsumer* consumer, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP ReceiveCanBlock() override { return S_OK; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }
    STDMETHODIMP QueryInternalConnections(IPin**, ULONG* nPin) override;

private:
    CaptureConsumer* const m_consumer;
};

class CaptureConsumer final : public CBaseFilter {
public:
    struct Sample {
        long length = 0;
        bool discontinuity = false;
        LONGLONG firstPacket = -1; // media times: the stream's packet numbers
        LONGLONG endPacket = -1;
    };

    // One reference for the caller.
    static CaptureConsumer* Create();

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_pin.get() : nullptr; }
    IPin* Pin() { return m_pin.get(); }

    // Waits (a generous bound of real time) until at least this many bytes
    // have arrived; false when fewer came.
    bool WaitForBytes(std::uint64_t bytes);
    std::uint64_t Bytes();
    std::vector<std::uint8_t> Data();
    std::vector<Sample> Samples();
    int ThreadsInside() const { return m_inside.load(); }

    // Holds the next Receive (and every one after) until LetGo.
    void HoldReceive();
    // Waits until a streaming thread is held inside Receive.
    bool WaitUntilHeld();
    void LetGo();

    // Receive's work, on the streaming thread.
    void Take(IMediaSample* sample);

private:
    CaptureConsumer();
    ~CaptureConsumer() override;

    CCritSec m_lock;
    std::unique_ptr<CaptureConsumerPin> m_pin;
    std::mutex m_dataLock;
    std::condition_variable m_changed;
    std::vector<std::uint8_t> m_data;
    std::vector<Sample> m_samples;
    bool m_hold = false;
    bool m_held = false;
    std::atomic<int> m_inside{0};
};
