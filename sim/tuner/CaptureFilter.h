#pragma once
// The simulated Kavro capture filter, a device of the broadcast receiver
// component category: an input pin "MPEG2 Transport In" that connects only
// to the output pin of its own tuner (the same medium, ISimPinMedium; any
// other peer is refused with VFW_E_NO_TRANSPORT), and an output pin
// "MPEG2 Transport" that delivers the transport stream
// (MEDIATYPE_Stream / KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT) in samples of
// whole 188-byte packets, 65424 bytes when full (CaptureStream), from 8
// buffers of the allocator agreed through CBaseOutputPin.
//
// While the filter runs with both pins connected, its own streaming thread
// delivers the stream of the transponder the demodulator has locked, paced
// by the device's clock; nothing while unlocked, or while the stream type
// keeps a generic stream inside the card. Buffers are taken without waiting
// (AM_GBF_NOWAIT): when none comes free in time the card's own buffer runs
// over and packets are lost (journal `capture overrun packets=N`, written
// when samples flow again or at stop).
//
// Stop, and Pause from Running, end the streaming thread before they return
// (in the output pin's Inactive), so the graph's Stop leaves no thread
// inside a filter. Journal, per transition:
//   capture run bytes=N     the thread starts; N bytes delivered so far
//   capture stop bytes=N    the thread has ended; N bytes delivered so far
//   capture stream "SAT" freq=MHZ pol=P isi=N bitrate=BPS output=ts|gs
//                           samples start to carry a transponder's stream
// N counts the bytes of every sample the downstream pin accepted (Receive
// answered S_OK) since the filter was created, so the bytes delivered while
// it ran are the difference between a stop line and the run line before it.
//
// Threads: state changes and connections on the application's thread under
// the filter lock; the streaming thread never takes the filter lock.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBaseOutputPin.h"
#include "filterbase/CBasePin.h"
#include "runtime/FilterLock.h"
#include "runtime/LiveObjects.h"
#include "sim/tuner/CaptureStream.h"
#include "sim/tuner/ISimPinMedium.h"
#include "sim/tuner/TunerDevice.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace sim {

// The class identifier the capture filter reports.
inline constexpr CLSID CLSID_KavroCaptureFilter = GuidLiteral("{A4C1E9B2-5D38-4F07-8B6E-1F2A9C3D7E45}");

struct CaptureFilterOptions {
    std::wstring name = L"Kavro Capture";
    ULONG medium = 0; // the instance number of its tuner's medium
};

class CaptureFilter;

class CaptureInputPin final : public CBasePin {
public:
    CaptureInputPin(CaptureFilter* filter, CCritSec* lock, ULONG medium);
    // Only the output of the tuner with this pin's medium.
    HRESULT CheckConnect(IPin* pPin) override;
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

private:
    const REGPINMEDIUM m_medium;
};

class CaptureOutputPin final : public CBaseOutputPin {
public:
    CaptureOutputPin(CaptureFilter* filter, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    // 8 buffers of 65424 bytes (more or larger when the downstream pin asks).
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps) override;
    // Starts the streaming thread (E_FAIL when no thread can be had).
    HRESULT Run(REFERENCE_TIME tStart) override;
    // Ends the streaming thread, then decommits the allocator.
    HRESULT Inactive() override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;

private:
    CaptureFilter* const m_owner;
};

class CaptureFilter final : private runtime::FilterLock, public CBaseFilter {
public:
    // Creates the filter over the device (whose clock paces the stream); one
    // reference for *ppFilter (a device factory).
    static HRESULT Create(std::shared_ptr<sim::TunerDevice> device, const CaptureFilterOptions& options,
                          IBaseFilter** ppFilter);

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int n) override;
    // From Running, ends the streaming thread first: a paused live source
    // delivers nothing.
    STDMETHODIMP Pause() override;

    // For the output pin, under the filter lock. Starting does nothing
    // unless both pins are connected.
    HRESULT StartStreaming();
    void StopStreaming();
    // Packets per sample for the buffers agreed.
    void SetSamplePackets(std::uint64_t packets) { m_samplePackets = packets; }

private:
    CaptureFilter(std::shared_ptr<sim::TunerDevice> device, const CaptureFilterOptions& options);
    ~CaptureFilter() override;

    // The streaming thread's body.
    void Stream();
    void StreamLoop();
    // Gets a free buffer, fills it from the stream and delivers it. False
    // when no buffer was free.
    bool DeliverSample();
    // Waits up to ms of real time, or until asked to stop; false to stop.
    bool Wait(std::int64_t ms);
    void ReportLostPackets();

    std::shared_ptr<sim::TunerDevice> m_device;
    std::unique_ptr<CaptureInputPin> m_input;
    std::unique_ptr<CaptureOutputPin> m_output;

    // Used by one streaming thread at a time; handed between runs by the
    // thread's start and join.
    std::unique_ptr<sim::CaptureStream> m_stream;
    std::uint64_t m_samplePackets = sim::CaptureStream::kSamplePackets;

    std::thread m_thread;
    std::mutex m_wakeLock;
    std::condition_variable m_wake;
    bool m_stop = false; // under m_wakeLock
    // Bytes of samples the downstream pin accepted since creation.
    std::atomic<long long> m_bytesDelivered{0};
    runtime::SimLiveObject m_live;
};

} // namespace sim
