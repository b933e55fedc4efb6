#include "dvb/DvbCaptureFilter.h"

#include "platform/com/Journal.h"
#include "platform/com/WideText.h"
#include "platform/dshow/MediaTypes.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <system_error>

#include <cerrno>
#include <fcntl.h>
extern "C" {
#include <libdvbv5/dvb-demux.h>
}
#include <poll.h>
#include <unistd.h>

namespace dvb {

namespace {

constexpr LONG kBuffers = 8;
// How long the streaming thread waits for the DVR device before it looks
// whether it should stop.
constexpr int kPollMs = 20;
// A sample goes out at the latest this long after its first packet came.
constexpr std::int64_t kMaxLatencyMs = 100;
// The demux's buffer: about half a second of the fastest DVB-S2 stream.
constexpr int kDemuxBufferBytes = 4 * 1024 * 1024;

std::int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool IsTransportType(const AM_MEDIA_TYPE* pmt)
{
    return pmt->majortype == MEDIATYPE_Stream && pmt->subtype == KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT;
}

HRESULT TransportType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *pMediaType = MediaTypeValue(MEDIATYPE_Stream);
    pMediaType->subtype = KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT;
    return S_OK;
}

} // namespace

// ---- input pin ----

DvbCaptureInputPin::DvbCaptureInputPin(DvbCaptureFilter* filter, CCritSec* lock, ULONG medium)
    : CBasePin(L"Capture input pin", filter, lock, L"MPEG2 Transport In", PINDIR_INPUT),
      m_medium(DvbTunerMedium(medium))
{}

HRESULT DvbCaptureInputPin::CheckConnect(IPin* pPin)
{
    const HRESULT hr = CBasePin::CheckConnect(pPin);
    if (FAILED(hr)) return hr;
    ComPtr<IDvbPinMedium> peer;
    REGPINMEDIUM medium{};
    if (FAILED(pPin->QueryInterface(IID_PPV_ARGS(&peer))) || !peer || FAILED(peer->GetMedium(&medium)) ||
        !SameMedium(medium, m_medium)) {
        // Another tuner's output, or no tuner at all.
        return VFW_E_NO_TRANSPORT;
    }
    return S_OK;
}

HRESULT DvbCaptureInputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return IsTransportType(pmt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT DvbCaptureInputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    return TransportType(position, pMediaType);
}

STDMETHODIMP DvbCaptureInputPin::QueryInternalConnections(IPin** /*apPin*/, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    *nPin = 0;
    return S_OK;
}

// The tuner sends no samples: the stream starts in this filter.
STDMETHODIMP DvbCaptureInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }
STDMETHODIMP DvbCaptureInputPin::BeginFlush() { return S_OK; }
STDMETHODIMP DvbCaptureInputPin::EndFlush() { return S_OK; }

// ---- output pin ----

DvbCaptureOutputPin::DvbCaptureOutputPin(DvbCaptureFilter* filter, CCritSec* lock)
    : CBaseOutputPin(L"Capture output pin", filter, lock, L"MPEG2 Transport"),
      m_owner(filter)
{}

HRESULT DvbCaptureOutputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return IsTransportType(pmt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT DvbCaptureOutputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    return TransportType(position, pMediaType);
}

HRESULT DvbCaptureOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps)
{
    if (!pAlloc || !pProps) return E_POINTER;
    ALLOCATOR_PROPERTIES request{};
    request.cBuffers = std::max(kBuffers, pProps->cBuffers);
    request.cbBuffer = std::max(static_cast<LONG>(kSampleBytes), pProps->cbBuffer);
    request.cbAlign = std::max<LONG>(1, pProps->cbAlign);
    request.cbPrefix = std::max<LONG>(0, pProps->cbPrefix);
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = pAlloc->SetProperties(&request, &actual);
    if (FAILED(hr)) return hr;
    // An allocator that keeps smaller buffers than asked gets shorter
    // samples; one that cannot hold a single packet is of no use.
    if (actual.cbBuffer < static_cast<LONG>(kTsPacketBytes) || actual.cBuffers < 1) return E_FAIL;
    m_owner->SetSamplePackets(
        std::min<std::uint64_t>(kSamplePackets, static_cast<std::uint64_t>(actual.cbBuffer) / kTsPacketBytes));
    return S_OK;
}

HRESULT DvbCaptureOutputPin::Run(REFERENCE_TIME /*tStart*/) { return m_owner->StartStreaming(); }

HRESULT DvbCaptureOutputPin::Inactive()
{
    // The thread ends before the allocator is decommitted: it never waits
    // for a buffer, and must not find the pool gone in the middle of a sample.
    m_owner->StopStreaming();
    return CBaseOutputPin::Inactive();
}

STDMETHODIMP DvbCaptureOutputPin::QueryInternalConnections(IPin** /*apPin*/, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    *nPin = 0;
    return S_OK;
}

// ---- filter ----

HRESULT DvbCaptureFilter::Create(const DvbCaptureFilterOptions& options, IBaseFilter** ppFilter)
{
    if (!ppFilter) return E_POINTER;
    *ppFilter = nullptr;
    DvbCaptureFilter* filter = nullptr;
    try {
        filter = new DvbCaptureFilter(options);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    filter->NonDelegatingAddRef();
    const HRESULT hr = filter->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(ppFilter));
    filter->NonDelegatingRelease();
    return hr;
}

DvbCaptureFilter::DvbCaptureFilter(const DvbCaptureFilterOptions& options)
    : CBaseFilter(options.name.c_str(), nullptr, &m_filterLock, CLSID_DvbCaptureFilter),
      m_options(options),
      m_input(std::make_unique<DvbCaptureInputPin>(this, &m_filterLock, options.medium)),
      m_output(std::make_unique<DvbCaptureOutputPin>(this, &m_filterLock))
{}

DvbCaptureFilter::~DvbCaptureFilter()
{
    // A filter released while running (no Stop) must not leave its thread behind.
    StopStreaming();
}

CBasePin* DvbCaptureFilter::GetPin(int n)
{
    if (n == 0) return m_input.get();
    if (n == 1) return m_output.get();
    return nullptr;
}

STDMETHODIMP DvbCaptureFilter::Pause()
{
    CAutoLock lock(m_pLock);
    if (State() == State_Running) {
        StopStreaming();
    }
    return CBaseFilter::Pause();
}

bool DvbCaptureFilter::OpenDevices()
{
    const FrontendAddress& a = m_options.adapter;
    m_demux = dvb_dmx_open(a.adapter, a.frontend);
    if (m_demux < 0 || dvb_set_pesfilter(m_demux, 0x2000, DMX_PES_OTHER, DMX_OUT_TS_TAP, kDemuxBufferBytes) != 0) {
        JournalWrite(
            "capture error " +
            JournalQuote("the demux of adapter " + std::to_string(a.adapter) + " cannot pass the transport stream"));
        CloseDevices();
        return false;
    }
    const std::string dvr = "/dev/dvb/adapter" + std::to_string(a.adapter) + "/dvr" + std::to_string(a.frontend);
    m_dvr = ::open(dvr.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_dvr < 0) {
        JournalWrite("capture error " + JournalQuote(dvr + " cannot be opened"));
        CloseDevices();
        return false;
    }
    return true;
}

void DvbCaptureFilter::CloseDevices()
{
    if (m_dvr >= 0) ::close(m_dvr);
    if (m_demux >= 0) dvb_dmx_close(m_demux);
    m_dvr = -1;
    m_demux = -1;
}

HRESULT DvbCaptureFilter::StartStreaming()
{
    CAutoLock lock(m_pLock);
    if (m_thread.joinable() || !m_input->IsConnected() || !m_output->IsConnected()) return S_OK;
    // Without its demux and DVR device the adapter delivers nothing; the
    // journal says why, and the graph still runs as with an unlocked tuner.
    if (!OpenDevices()) return S_OK;
    try {
        m_pending.clear();
        m_pending.reserve(2 * kSampleBytes);
        m_discontinuity = true;
        {
            std::lock_guard guard(m_wakeLock);
            m_stop = false;
        }
        JournalWrite("capture run bytes=" + std::to_string(m_bytesDelivered.load()));
        m_thread = std::thread([this] { Stream(); });
    } catch (const std::bad_alloc&) {
        CloseDevices();
        return E_OUTOFMEMORY;
    } catch (const std::system_error&) {
        CloseDevices();
        return E_FAIL;
    }
    return S_OK;
}

void DvbCaptureFilter::StopStreaming()
{
    CAutoLock lock(m_pLock);
    if (!m_thread.joinable()) return;
    {
        std::lock_guard guard(m_wakeLock);
        m_stop = true;
    }
    m_thread.join();
    CloseDevices();
    JournalWrite("capture stop bytes=" + std::to_string(m_bytesDelivered.load()));
}

bool DvbCaptureFilter::Stopping()
{
    std::lock_guard guard(m_wakeLock);
    return m_stop;
}

void DvbCaptureFilter::Stream()
{
    bool gone = false;
    try {
        while (!Stopping()) {
            if (!ReadDvr()) {
                gone = true;
                break;
            }
            const std::size_t whole = m_pending.size() / kTsPacketBytes * kTsPacketBytes;
            const bool full = whole >= m_samplePackets * kTsPacketBytes;
            const bool due = whole > 0 && NowMs() - m_pendingSinceMs >= kMaxLatencyMs;
            if ((full || due) && !DeliverSample()) {
                // No free buffer: the kernel's buffer holds the stream meanwhile.
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        if (gone) {
            // Every whole packet read before the adapter went reaches the receiver.
            for (int tries = 0; m_pending.size() >= kTsPacketBytes && tries < 1000 && !Stopping(); ++tries) {
                if (!DeliverSample()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            JournalWrite("capture device gone bytes=" + std::to_string(m_bytesDelivered.load()));
        }
    } catch (const std::exception&) {
        // Nothing may leave the thread: without memory the stream ends.
    }
    if (gone && m_options.onDeviceGone) m_options.onDeviceGone();
}

bool DvbCaptureFilter::ReadDvr()
{
    // Read first and wait only when nothing was there: a device served in
    // user space (the emulator) answers reads but never wakes a poll.
    const std::size_t room = 2 * kSampleBytes - m_pending.size();
    if (room == 0) return true;
    const std::size_t had = m_pending.size();
    m_pending.resize(had + room);
    const ssize_t got = ::read(m_dvr, m_pending.data() + had, room);
    const int error = errno;
    m_pending.resize(had + static_cast<std::size_t>(std::max<ssize_t>(0, got)));
    if (got > 0 && had < kTsPacketBytes) m_pendingSinceMs = NowMs();
    if (got > 0) return true;
    if (got < 0) {
        switch (error) {
        case EOVERFLOW:
            // The kernel dropped what its buffer could not hold: the next sample follows a gap.
            ++m_overruns;
            m_discontinuity = true;
            JournalWrite("capture overrun count=" + std::to_string(m_overruns));
            return true;
        case ENODEV:
        case EIO:
            return false;
        default:
            break; // EAGAIN, EINTR: nothing yet
        }
    }
    pollfd ready{m_dvr, POLLIN, 0};
    ::poll(&ready, 1, kPollMs);
    return true;
}

bool DvbCaptureFilter::DeliverSample()
{
    ComPtr<IMediaSample> sample;
    if (m_output->GetDeliveryBuffer(&sample, nullptr, nullptr, AM_GBF_NOWAIT) != S_OK || !sample) return false;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || !data) return false;
    const std::size_t room = static_cast<std::size_t>(std::max<LONG>(0, sample->GetSize()));
    const std::size_t packets =
        std::min<std::size_t>({m_pending.size() / kTsPacketBytes, room / kTsPacketBytes, m_samplePackets});
    const std::size_t bytes = packets * kTsPacketBytes;
    if (bytes == 0) return true;
    std::copy_n(m_pending.begin(), bytes, data);
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(bytes));
    if (m_pending.size() >= kTsPacketBytes) m_pendingSinceMs = NowMs();
    LONGLONG first = static_cast<LONGLONG>(m_packetNumber);
    m_packetNumber += packets;
    LONGLONG end = static_cast<LONGLONG>(m_packetNumber);
    sample->SetActualDataLength(static_cast<LONG>(bytes));
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(m_discontinuity ? TRUE : FALSE);
    m_discontinuity = false;
    sample->SetMediaTime(&first, &end);
    if (m_output->Deliver(sample.Get()) == S_OK) m_bytesDelivered += static_cast<long long>(bytes);
    return true;
}

} // namespace dvb
