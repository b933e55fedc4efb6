#include "runtime/graph/Mpeg2Demultiplexer.h"

#include "platform/dshow/GraphBuilderInterfaces.h"

#include <algorithm>
#include <cstring>

namespace runtime {

namespace {

constexpr long kPacketSize = 188;
constexpr BYTE kSyncByte = 0x47;
constexpr unsigned kLastTablePid = 0x1F;

bool IsTransportStream(const AM_MEDIA_TYPE& type)
{
    return type.majortype == MEDIATYPE_Stream &&
        (type.subtype == KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT || type.subtype == MEDIASUBTYPE_MPEG2_TRANSPORT);
}

} // namespace

// ---- input pin ----

Mpeg2DemuxInputPin::Mpeg2DemuxInputPin(Mpeg2Demultiplexer* demux, CCritSec* lock)
    : CBaseInputPin(L"Demultiplexer input", demux, lock, L"MPEG-2 Stream"),
      m_demux(demux)
{}

HRESULT Mpeg2DemuxInputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return IsTransportStream(*pmt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT Mpeg2DemuxInputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 1) return VFW_S_NO_MORE_ITEMS;
    MediaTypeValue type(MEDIATYPE_Stream);
    type.subtype = position == 0 ? KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT : MEDIASUBTYPE_MPEG2_TRANSPORT;
    type.lSampleSize = kPacketSize;
    *pMediaType = std::move(type);
    return S_OK;
}

STDMETHODIMP Mpeg2DemuxInputPin::Receive(IMediaSample* pSample)
{
    if (!pSample) return E_POINTER;
    if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
    BYTE* data = nullptr;
    if (const HRESULT hr = pSample->GetPointer(&data); FAILED(hr)) return hr;
    return m_demux->Consume(data, pSample->GetActualDataLength());
}

STDMETHODIMP Mpeg2DemuxInputPin::ReceiveCanBlock() { return S_OK; }

STDMETHODIMP Mpeg2DemuxInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

STDMETHODIMP Mpeg2DemuxInputPin::QueryInternalConnections(IPin** apPin, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    (void)apPin;
    *nPin = 0;
    return E_NOTIMPL;
}

HRESULT Mpeg2DemuxInputPin::Active()
{
    m_demux->ResetStream();
    return CBaseInputPin::Active();
}

// ---- section output pin ----

Mpeg2DemuxSectionPin::Mpeg2DemuxSectionPin(Mpeg2Demultiplexer* demux, CCritSec* lock)
    : CBaseOutputPin(L"Demultiplexer sections", demux, lock, L"1")
{}

HRESULT Mpeg2DemuxSectionPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return pmt->majortype == MEDIATYPE_MPEG2_SECTIONS ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT Mpeg2DemuxSectionPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    MediaTypeValue type(MEDIATYPE_MPEG2_SECTIONS);
    type.subtype = MEDIASUBTYPE_DVB_SI;
    *pMediaType = std::move(type);
    return S_OK;
}

HRESULT Mpeg2DemuxSectionPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps)
{
    ALLOCATOR_PROPERTIES request = *pProps;
    request.cBuffers = std::max<LONG>(request.cBuffers, 4);
    request.cbBuffer = std::max<LONG>(request.cbBuffer, kPacketSize * 64);
    ALLOCATOR_PROPERTIES actual{};
    return pAlloc->SetProperties(&request, &actual);
}

// ---- filter ----

HRESULT Mpeg2Demultiplexer::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    auto* demux = new Mpeg2Demultiplexer(outer);
    demux->NonDelegatingAddRef();
    const HRESULT hr = demux->NonDelegatingQueryInterface(riid, ppv);
    demux->NonDelegatingRelease();
    return hr;
}

Mpeg2Demultiplexer::Mpeg2Demultiplexer(IUnknown* outer)
    : CBaseFilter(L"MPEG-2 Demultiplexer", outer, &m_filterLock, CLSID_MPEG2Demultiplexer),
      m_input(std::make_unique<Mpeg2DemuxInputPin>(this, &m_filterLock)),
      m_sections(std::make_unique<Mpeg2DemuxSectionPin>(this, &m_filterLock))
{}

Mpeg2Demultiplexer::~Mpeg2Demultiplexer() = default;

CBasePin* Mpeg2Demultiplexer::GetPin(int n)
{
    if (n == 0) return m_input.get();
    if (n == 1) return m_sections.get();
    return nullptr;
}

void Mpeg2Demultiplexer::ResetStream()
{
    std::lock_guard guard(m_streamLock);
    m_partial.clear();
}

HRESULT Mpeg2Demultiplexer::Consume(const BYTE* data, long size)
{
    std::lock_guard guard(m_streamLock);
    m_tables.clear();
    long at = 0;
    auto take = [&](const BYTE* packet) {
        ++m_packets;
        const unsigned pid = ((packet[1] & 0x1Fu) << 8) | packet[2];
        if (pid <= kLastTablePid) {
            m_tables.insert(m_tables.end(), packet, packet + kPacketSize);
        }
    };
    if (!m_partial.empty()) {
        const long missing = kPacketSize - static_cast<long>(m_partial.size());
        const long copied = std::min(missing, size);
        m_partial.insert(m_partial.end(), data, data + copied);
        at = copied;
        if (static_cast<long>(m_partial.size()) == kPacketSize) {
            take(m_partial.data());
            m_partial.clear();
        }
    }
    while (at < size) {
        if (data[at] != kSyncByte) {
            ++at; // lost sync: look for the next packet start
            continue;
        }
        if (size - at < kPacketSize) {
            m_partial.assign(data + at, data + size);
            break;
        }
        take(data + at);
        at += kPacketSize;
    }
    return DeliverTables();
}

HRESULT Mpeg2Demultiplexer::DeliverTables()
{
    if (m_tables.empty() || !m_sections->IsConnected()) return S_OK;
    std::size_t sent = 0;
    while (sent < m_tables.size()) {
        ComPtr<IMediaSample> sample;
        // A failure here means the filter is stopping: the tables go, the
        // stream itself was taken.
        if (FAILED(m_sections->GetDeliveryBuffer(&sample, nullptr, nullptr, 0))) return S_OK;
        BYTE* buffer = nullptr;
        if (FAILED(sample->GetPointer(&buffer))) return S_OK;
        const std::size_t room = static_cast<std::size_t>(sample->GetSize()) / kPacketSize * kPacketSize;
        if (room == 0) return S_OK;
        const std::size_t chunk = std::min(room, m_tables.size() - sent);
        std::memcpy(buffer, m_tables.data() + sent, chunk);
        sample->SetActualDataLength(static_cast<LONG>(chunk));
        if (m_sections->Deliver(sample.Get()) == S_OK) {
            m_tablePackets += static_cast<long long>(chunk / kPacketSize);
        }
        sent += chunk;
    }
    return S_OK;
}

} // namespace runtime
