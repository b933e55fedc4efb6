#include "sink/CDestFilter.h"
#include "platform/dshow/DestFilterClass.h"

#include "platform/dshow/Uuids.h"
#include "sink/RecordSession.h"

#include <new>

CDestFilter::CDestFilter(RecordSession& session)
    : CBaseFilter(nullptr, nullptr, &session.recordLock, CLSID_DestFilter),
      m_pPin(std::make_unique<CDumpInputPin>(this, session, &session.recordLock))
{}

CDestFilter::~CDestFilter() = default;

HRESULT CDestFilter::Create(RecordSession& session, CDestFilter** ppFilter)
{
    if (!ppFilter) {
        return E_POINTER;
    }
    *ppFilter = nullptr;
    try {
        *ppFilter = new CDestFilter(session);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    static_cast<IBaseFilter*>(*ppFilter)->AddRef();
    return S_OK;
}

STDMETHODIMP CDestFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IBaseFilter || riid == IID_IMediaFilter || riid == IID_IPersist) {
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

CBasePin* CDestFilter::GetPin(int n) { return n == 0 ? m_pPin.get() : nullptr; }
