#include "sink/CDumpInputPin.h"

#include "sink/CDestFilter.h"
#include "sink/RecordSession.h"

#include <algorithm>

namespace {
constexpr ULONG kTransportPacketBytes = 188;
}

CDumpInputPin::CDumpInputPin(CDestFilter* filter, RecordSession& session, CCritSec* lock)
    : CBaseInputPin(nullptr, filter, lock, L"Input"),
      m_session(session),
      m_pReceiveLock(lock)
{}

CDumpInputPin::~CDumpInputPin() = default;

HRESULT CDumpInputPin::CheckMediaType(const AM_MEDIA_TYPE* /*pmt*/) { return S_OK; }

HRESULT CDumpInputPin::BreakConnect() { return CBaseInputPin::BreakConnect(); }

HRESULT CDumpInputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) {
        return E_INVALIDARG;
    }
    if (position > 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    MediaTypeValue offered(MEDIATYPE_Stream);
    offered.subtype = GUID_NULL;
    offered.bFixedSizeSamples = TRUE;
    offered.bTemporalCompression = FALSE;
    offered.lSampleSize = kTransportPacketBytes;
    offered.formattype = GUID_NULL;
    *pMediaType = std::move(offered);
    return S_OK;
}

STDMETHODIMP CDumpInputPin::QueryInternalConnections(IPin** /*apPin*/, ULONG* /*nPin*/) { return E_NOTIMPL; }

STDMETHODIMP CDumpInputPin::EndOfStream()
{
    CAutoLock lock(m_pReceiveLock);
    return S_OK;
}

STDMETHODIMP CDumpInputPin::NewSegment(REFERENCE_TIME /*tStart*/, REFERENCE_TIME /*tStop*/, double /*dRate*/)
{
    return S_OK;
}

STDMETHODIMP CDumpInputPin::Receive(IMediaSample* pSample)
{
    if (!m_writeEnabled) {
        return S_OK;
    }
    if (!pSample) {
        return E_POINTER;
    }
    CAutoLock lock(m_pReceiveLock);
    BYTE* data = nullptr;
    const HRESULT hr = pSample->GetPointer(&data);
    if (FAILED(hr)) {
        return hr;
    }
    // A length beyond the buffer would write memory the sample does not own.
    const LONG length =
        data ? std::clamp(pSample->GetActualDataLength(), LONG{0}, std::max(pSample->GetSize(), LONG{0})) : 0;
    // A failed write is kept in the session for the page; the stream goes on.
    m_session.WriteSample(data, static_cast<DWORD>(length));
    return S_OK;
}

STDMETHODIMP CDumpInputPin::ReceiveCanBlock() { return S_FALSE; }
