#include "sim/tuner/CaptureFilter.h"

#include "platform/com/Journal.h"
#include "platform/dshow/MediaTypes.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <system_error>

namespace sim {

namespace {

constexpr LONG kBuffers = 8;
// How long the streaming thread sleeps at most before it looks at the
// clock and the demodulator again: a re-tune shows within this.
constexpr std::int64_t kMaxSleepMs = 20;
// How soon it asks again for a buffer when none was free.
constexpr std::int64_t kBufferRetryMs = 1;

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

CaptureInputPin::CaptureInputPin(CaptureFilter* filter, CCritSec* lock, ULONG medium)
    : CBasePin(L"Capture input pin", filter, lock, L"MPEG2 Transport In", PINDIR_INPUT),
      m_medium(KavroTunerMedium(medium))
{}

HRESULT CaptureInputPin::CheckConnect(IPin* pPin)
{
    const HRESULT hr = CBasePin::CheckConnect(pPin);
    if (FAILED(hr)) return hr;
    ComPtr<ISimPinMedium> peer;
    REGPINMEDIUM medium{};
    if (FAILED(pPin->QueryInterface(IID_PPV_ARGS(&peer))) || !peer || FAILED(peer->GetMedium(&medium)) ||
        !SameMedium(medium, m_medium)) {
        // Another tuner's output, or no tuner at all.
        return VFW_E_NO_TRANSPORT;
    }
    return S_OK;
}

HRESULT CaptureInputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return IsTransportType(pmt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CaptureInputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    return TransportType(position, pMediaType);
}

STDMETHODIMP CaptureInputPin::QueryInternalConnections(IPin** /*apPin*/, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    *nPin = 0;
    return S_OK;
}

// The tuner sends no samples: the stream starts in this filter.
STDMETHODIMP CaptureInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }
STDMETHODIMP CaptureInputPin::BeginFlush() { return S_OK; }
STDMETHODIMP CaptureInputPin::EndFlush() { return S_OK; }

// ---- output pin ----

CaptureOutputPin::CaptureOutputPin(CaptureFilter* filter, CCritSec* lock)
    : CBaseOutputPin(L"Capture output pin", filter, lock, L"MPEG2 Transport"),
      m_owner(filter)
{}

HRESULT CaptureOutputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return IsTransportType(pmt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CaptureOutputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    return TransportType(position, pMediaType);
}

HRESULT CaptureOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps)
{
    if (!pAlloc || !pProps) return E_POINTER;
    ALLOCATOR_PROPERTIES request{};
    request.cBuffers = std::max(kBuffers, pProps->cBuffers);
    request.cbBuffer = std::max(static_cast<LONG>(sim::CaptureStream::kSampleBytes), pProps->cbBuffer);
    request.cbAlign = std::max<LONG>(1, pProps->cbAlign);
    request.cbPrefix = std::max<LONG>(0, pProps->cbPrefix);
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = pAlloc->SetProperties(&request, &actual);
    if (FAILED(hr)) return hr;
    // An allocator that keeps smaller buffers than asked gets shorter
    // samples; one that cannot hold a single packet is of no use.
    if (actual.cbBuffer < static_cast<LONG>(sim::kTsPacketSize) || actual.cBuffers < 1) return E_FAIL;
    m_owner->SetSamplePackets(std::min<std::uint64_t>(
        sim::CaptureStream::kSamplePackets, static_cast<std::uint64_t>(actual.cbBuffer) / sim::kTsPacketSize));
    return S_OK;
}

HRESULT CaptureOutputPin::Run(REFERENCE_TIME /*tStart*/) { return m_owner->StartStreaming(); }

HRESULT CaptureOutputPin::Inactive()
{
    // The thread ends before the allocator is decommitted: it never waits
    // for a buffer, and must not find the pool gone in the middle of a sample.
    m_owner->StopStreaming();
    return CBaseOutputPin::Inactive();
}

STDMETHODIMP CaptureOutputPin::QueryInternalConnections(IPin** /*apPin*/, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    *nPin = 0;
    return S_OK;
}

// ---- filter ----

HRESULT CaptureFilter::Create(std::shared_ptr<sim::TunerDevice> device, const CaptureFilterOptions& options,
                              IBaseFilter** ppFilter)
{
    if (!ppFilter) return E_POINTER;
    *ppFilter = nullptr;
    if (!device) return E_INVALIDARG;
    CaptureFilter* filter = nullptr;
    try {
        filter = new CaptureFilter(std::move(device), options);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    filter->NonDelegatingAddRef();
    const HRESULT hr = filter->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(ppFilter));
    filter->NonDelegatingRelease();
    return hr;
}

CaptureFilter::CaptureFilter(std::shared_ptr<sim::TunerDevice> device, const CaptureFilterOptions& options)
    : CBaseFilter(options.name.c_str(), nullptr, &m_filterLock, CLSID_KavroCaptureFilter),
      m_device(std::move(device)),
      m_input(std::make_unique<CaptureInputPin>(this, &m_filterLock, options.medium)),
      m_output(std::make_unique<CaptureOutputPin>(this, &m_filterLock))
{}

CaptureFilter::~CaptureFilter()
{
    // A filter released while running (no Stop) must not leave its thread behind.
    StopStreaming();
}

CBasePin* CaptureFilter::GetPin(int n)
{
    if (n == 0) return m_input.get();
    if (n == 1) return m_output.get();
    return nullptr;
}

STDMETHODIMP CaptureFilter::Pause()
{
    CAutoLock lock(m_pLock);
    if (State() == State_Running) {
        StopStreaming();
    }
    return CBaseFilter::Pause();
}

HRESULT CaptureFilter::StartStreaming()
{
    CAutoLock lock(m_pLock);
    // Without its tuner the card receives nothing.
    if (m_thread.joinable() || !m_input->IsConnected() || !m_output->IsConnected()) return S_OK;
    try {
        if (!m_stream || m_stream->SamplePackets() != m_samplePackets) {
            m_stream = std::make_unique<sim::CaptureStream>(m_samplePackets);
        }
        {
            std::lock_guard guard(m_wakeLock);
            m_stop = false;
        }
        JournalWrite("capture run bytes=" + std::to_string(m_bytesDelivered.load()));
        m_thread = std::thread([this] { Stream(); });
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::system_error&) {
        // No thread to be had: the run fails rather than pretending to stream.
        return E_FAIL;
    }
    return S_OK;
}

void CaptureFilter::StopStreaming()
{
    CAutoLock lock(m_pLock);
    if (!m_thread.joinable()) return;
    {
        std::lock_guard guard(m_wakeLock);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    ReportLostPackets();
    JournalWrite("capture stop bytes=" + std::to_string(m_bytesDelivered.load()));
}

bool CaptureFilter::Wait(std::int64_t ms)
{
    std::unique_lock guard(m_wakeLock);
    m_wake.wait_for(guard, std::chrono::milliseconds(std::clamp<std::int64_t>(ms, 1, kMaxSleepMs)),
                    [this] { return m_stop; });
    return !m_stop;
}

void CaptureFilter::ReportLostPackets()
{
    if (const std::uint64_t lost = m_stream->TakeLostPackets()) {
        JournalWrite("capture overrun packets=" + std::to_string(lost));
    }
}

void CaptureFilter::Stream()
{
    try {
        StreamLoop();
    } catch (const std::exception&) {
        // Nothing may leave the thread: without memory for the next sample
        // the stream simply ends, and the filter still stops as usual.
    }
    m_stream->Halt();
}

void CaptureFilter::StreamLoop()
{
    sim::Demodulator& demodulator = m_device->demodulator;
    const sim::SimClock& clock = demodulator.Clock();
    for (;;) {
        {
            std::lock_guard guard(m_wakeLock);
            if (m_stop) break;
        }
        const sim::CaptureStream::Step step = m_stream->Plan(demodulator.CurrentStream(), clock.NowMs());
        if (step.newStream) JournalWrite("capture " + *step.newStream);
        if (step.packets == 0) {
            if (!Wait(step.waitMs)) break;
            continue;
        }
        if (!DeliverSample()) {
            // No free buffer: look again soon; meanwhile the card's buffer fills.
            if (!Wait(kBufferRetryMs)) break;
        }
    }
}

bool CaptureFilter::DeliverSample()
{
    ComPtr<IMediaSample> sample;
    if (m_output->GetDeliveryBuffer(&sample, nullptr, nullptr, AM_GBF_NOWAIT) != S_OK || !sample) return false;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || !data) return false;
    const bool discontinuity = m_stream->Discontinuity();
    LONGLONG first = static_cast<LONGLONG>(m_stream->NextPacket());
    const std::size_t bytes = m_stream->Fill(data, static_cast<std::size_t>(std::max<LONG>(0, sample->GetSize())));
    if (bytes == 0) return true;
    LONGLONG end = first + static_cast<LONGLONG>(bytes / sim::kTsPacketSize);
    sample->SetActualDataLength(static_cast<LONG>(bytes));
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(discontinuity ? TRUE : FALSE);
    // Media times number the stream's packets: a receiver can see gaps.
    sample->SetMediaTime(&first, &end);
    if (m_output->Deliver(sample.Get()) == S_OK) m_bytesDelivered += static_cast<long long>(bytes);
    ReportLostPackets();
    return true;
}

} // namespace sim
