#include "runtime/graph/TransportInformationFilter.h"

namespace runtime {

TransportInformationInputPin::TransportInformationInputPin(TransportInformationFilter* filter, CCritSec* lock)
    : CBaseInputPin(L"Transport information input", filter, lock, L"Input"),
      m_owner(filter)
{}

HRESULT TransportInformationInputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return pmt->majortype == MEDIATYPE_MPEG2_SECTIONS ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TransportInformationInputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    MediaTypeValue type(MEDIATYPE_MPEG2_SECTIONS);
    type.subtype = MEDIASUBTYPE_DVB_SI;
    *pMediaType = std::move(type);
    return S_OK;
}

STDMETHODIMP TransportInformationInputPin::Receive(IMediaSample* pSample)
{
    if (!pSample) return E_POINTER;
    if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
    m_owner->Count(pSample->GetActualDataLength());
    return S_OK;
}

STDMETHODIMP TransportInformationInputPin::ReceiveCanBlock() { return S_FALSE; }

STDMETHODIMP TransportInformationInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

STDMETHODIMP TransportInformationInputPin::QueryInternalConnections(IPin** apPin, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    (void)apPin;
    *nPin = 0;
    return S_OK; // no outputs: nothing this input reaches
}

HRESULT TransportInformationFilter::Create(IBaseFilter** ppFilter)
{
    if (!ppFilter) return E_POINTER;
    auto* filter = new TransportInformationFilter();
    filter->NonDelegatingAddRef();
    *ppFilter = filter;
    return S_OK;
}

TransportInformationFilter::TransportInformationFilter()
    : CBaseFilter(L"Transport information filter", nullptr, &m_filterLock, CLSID_TransportInformationFilter),
      m_input(std::make_unique<TransportInformationInputPin>(this, &m_filterLock))
{}

TransportInformationFilter::~TransportInformationFilter() = default;

} // namespace runtime
