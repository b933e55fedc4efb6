#pragma once
// The capture filter of a DVB adapter, a device of the broadcast receiver
// component category, built as the simulated Kavro capture filter is: an
// input pin "MPEG2 Transport In" that connects only to its own tuner's
// output (the same medium, IDvbPinMedium; any other peer is refused with
// VFW_E_NO_TRANSPORT), and an output pin "MPEG2 Transport" delivering the
// transport stream in samples of whole 188-byte packets, 65424 bytes when
// full, from 8 buffers of the allocator agreed through CBaseOutputPin.
//
// While it runs with both pins connected it sets the adapter's demux to
// pass every PID to the DVR device and its own streaming thread reads the
// DVR device: a sample goes out when full, or with what whole packets have
// come when the first of them has waited 100 ms. Buffers are taken without
// waiting (AM_GBF_NOWAIT); the kernel's buffer takes up the slack, and when
// it overflows (EOVERFLOW) the loss is counted and journalled, and the next
// sample marked as a discontinuity. When the adapter goes away (ENODEV) the
// packets read so far are delivered, the thread ends, and the device-removal
// handler hears of it.
//
// Journal, as the simulated card's, plus the adapter's own lines:
//   capture run bytes=N / capture stop bytes=N
//   capture overrun count=N        the kernel's buffer overflowed (N times so far)
//   capture device gone bytes=N    the DVR device answered ENODEV
//   capture error "TEXT"           the demux or DVR device cannot be opened
//
// Threads: state changes and connections on the application's thread under
// the filter lock; the streaming thread never takes the filter lock.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBaseOutputPin.h"
#include "filterbase/CBasePin.h"
#include "runtime/FilterLock.h"
#include "runtime/LiveObjects.h"
#include "dvb/IDvbPinMedium.h"
#include "dvb/DvbFrontend.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace dvb {

// The class identifier the capture filter reports.
inline constexpr CLSID CLSID_DvbCaptureFilter = GuidLiteral("{A4C1E9B2-5D38-4F07-8B6E-1F2A9C3D7E45}");

struct DvbCaptureFilterOptions {
    std::wstring name = L"DVB Capture";
    ULONG medium = 0;        // the instance number of its tuner's medium
    FrontendAddress adapter; // its demux and DVR device: demuxF and dvrF of the adapter
    // Called once, on the streaming thread, when the adapter has gone.
    std::function<void()> onDeviceGone;
};

class DvbCaptureFilter;

inline constexpr std::uint64_t kTsPacketBytes = 188;
inline constexpr std::uint64_t kSamplePackets = 348;
inline constexpr std::uint64_t kSampleBytes = kSamplePackets * kTsPacketBytes;

class DvbCaptureInputPin final : public CBasePin {
public:
    DvbCaptureInputPin(DvbCaptureFilter* filter, CCritSec* lock, ULONG medium);
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

class DvbCaptureOutputPin final : public CBaseOutputPin {
public:
    DvbCaptureOutputPin(DvbCaptureFilter* filter, CCritSec* lock);
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
    DvbCaptureFilter* const m_owner;
};

class DvbCaptureFilter final : private runtime::FilterLock, public CBaseFilter {
public:
    // Creates the filter; one reference for *ppFilter (a device factory).
    static HRESULT Create(const DvbCaptureFilterOptions& options, IBaseFilter** ppFilter);

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
    explicit DvbCaptureFilter(const DvbCaptureFilterOptions& options);
    ~DvbCaptureFilter() override;

    // The streaming thread's body.
    void Stream();
    // Reads what the DVR device has into m_pending; false when the device
    // has gone.
    bool ReadDvr();
    // Delivers the whole packets pending (at most a sample); false when no
    // buffer was free.
    bool DeliverSample();
    bool Stopping();
    // Opens the demux with its all-PID filter and the DVR device.
    bool OpenDevices();
    void CloseDevices();

    const DvbCaptureFilterOptions m_options;
    std::unique_ptr<DvbCaptureInputPin> m_input;
    std::unique_ptr<DvbCaptureOutputPin> m_output;

    std::uint64_t m_samplePackets = kSamplePackets;
    int m_demux = -1;
    int m_dvr = -1;
    // Bytes read and not yet delivered; used by the streaming thread only.
    std::vector<std::uint8_t> m_pending;
    std::int64_t m_pendingSinceMs = 0;
    bool m_discontinuity = true;
    std::uint64_t m_packetNumber = 0;
    std::uint64_t m_overruns = 0;

    std::thread m_thread;
    std::mutex m_wakeLock;
    bool m_stop = false; // under m_wakeLock
    std::atomic<long long> m_bytesDelivered{0};
    runtime::SimLiveObject m_live;
};

} // namespace dvb
