#include "runtime/devices/DVBTuneRequest.h"

namespace runtime {

HRESULT DVBTuneRequest::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<IDVBTuneRequest> request;
    request.Attach(Create(nullptr));
    return request->QueryInterface(riid, ppv);
}

IDVBTuneRequest* DVBTuneRequest::Create(ITuningSpace* tuningSpace)
{
    auto* request = new DVBTuneRequest(tuningSpace);
    request->AddRef();
    return request;
}

void* DVBTuneRequest::FindInterface(REFIID riid)
{
    if (riid == IID_IDispatch || riid == IID_ITuneRequest || riid == IID_IDVBTuneRequest) {
        return static_cast<IDVBTuneRequest*>(this);
    }
    return nullptr;
}

STDMETHODIMP DVBTuneRequest::get_TuningSpace(ITuningSpace** TuningSpace)
{
    if (!TuningSpace) return E_POINTER;
    std::lock_guard guard(m_lock);
    *TuningSpace = m_tuningSpace.Get();
    if (!*TuningSpace) return S_FALSE;
    (*TuningSpace)->AddRef();
    return S_OK;
}

STDMETHODIMP DVBTuneRequest::get_Components(IComponents** Components)
{
    if (Components) *Components = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DVBTuneRequest::Clone(ITuneRequest** NewTuneRequest)
{
    if (!NewTuneRequest) return E_POINTER;
    *NewTuneRequest = nullptr;
    std::lock_guard guard(m_lock);
    ComPtr<IDVBTuneRequest> copy;
    copy.Attach(Create(m_tuningSpace.Get()));
    if (m_locator) {
        ComPtr<ILocator> locator;
        if (const HRESULT hr = m_locator->Clone(&locator); FAILED(hr)) return hr;
        copy->put_Locator(locator.Get());
    }
    copy->put_ONID(m_onid);
    copy->put_TSID(m_tsid);
    copy->put_SID(m_sid);
    *NewTuneRequest = copy.Detach();
    return S_OK;
}

STDMETHODIMP DVBTuneRequest::get_Locator(ILocator** Locator)
{
    if (!Locator) return E_POINTER;
    std::lock_guard guard(m_lock);
    *Locator = m_locator.Get();
    if (!*Locator) return S_FALSE;
    (*Locator)->AddRef();
    return S_OK;
}

STDMETHODIMP DVBTuneRequest::put_Locator(ILocator* Locator)
{
    if (!Locator) return E_POINTER;
    std::lock_guard guard(m_lock);
    m_locator = ComPtr<ILocator>(Locator);
    return S_OK;
}

HRESULT DVBTuneRequest::GetId(const LONG& id, LONG* out)
{
    if (!out) return E_POINTER;
    std::lock_guard guard(m_lock);
    *out = id;
    return S_OK;
}

HRESULT DVBTuneRequest::PutId(LONG& id, LONG value)
{
    std::lock_guard guard(m_lock);
    id = value;
    return S_OK;
}

STDMETHODIMP DVBTuneRequest::get_ONID(LONG* v) { return GetId(m_onid, v); }
STDMETHODIMP DVBTuneRequest::put_ONID(LONG v) { return PutId(m_onid, v); }
STDMETHODIMP DVBTuneRequest::get_TSID(LONG* v) { return GetId(m_tsid, v); }
STDMETHODIMP DVBTuneRequest::put_TSID(LONG v) { return PutId(m_tsid, v); }
STDMETHODIMP DVBTuneRequest::get_SID(LONG* v) { return GetId(m_sid, v); }
STDMETHODIMP DVBTuneRequest::put_SID(LONG v) { return PutId(m_sid, v); }

} // namespace runtime
