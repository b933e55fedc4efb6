#include "filterbase/CBaseFilter.h"

#include "filterbase/CBasePin.h"
#include "filterbase/CEnumPins.h"

#include <algorithm>
#include <cwchar>
#include <new>

CBaseFilter::CBaseFilter(LPCWSTR objectName, IUnknown* outer, CCritSec* lock, REFCLSID clsid)
    : CUnknown(objectName, outer),
      m_clsid(clsid),
      m_pLock(lock)
{}

CBaseFilter::~CBaseFilter() = default;

STDMETHODIMP CBaseFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IBaseFilter || riid == IID_IMediaFilter || riid == IID_IPersist) {
        return GetInterface(static_cast<IBaseFilter*>(this), ppv);
    }
    if (riid == IID_IAMovieSetup) {
        return GetInterface(static_cast<IAMovieSetup*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CBaseFilter::StreamTime(REFERENCE_TIME& streamTime)
{
    CAutoLock lock(m_pLock);
    if (!m_pClock) {
        return VFW_E_NO_CLOCK;
    }
    REFERENCE_TIME now = 0;
    const HRESULT hr = m_pClock->GetTime(&now);
    if (FAILED(hr)) {
        return hr;
    }
    streamTime = now - m_tStart;
    return S_OK;
}

LONG CBaseFilter::GetPinVersion() { return m_PinVersion; }

const AMOVIESETUP_FILTER* CBaseFilter::GetSetupData() { return nullptr; }

STDMETHODIMP CBaseFilter::GetClassID(CLSID* pClassID)
{
    if (!pClassID) {
        return E_POINTER;
    }
    *pClassID = m_clsid;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Stop()
{
    CAutoLock lock(m_pLock);
    HRESULT result = S_OK;
    if (m_State != State_Stopped) {
        const int count = GetPinCount();
        for (int i = 0; i < count; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                const HRESULT hr = pin->Inactive();
                if (FAILED(hr) && SUCCEEDED(result)) {
                    result = hr;
                }
            }
        }
    }
    m_State = State_Stopped;
    return result;
}

STDMETHODIMP CBaseFilter::Pause()
{
    CAutoLock lock(m_pLock);
    if (m_State == State_Stopped) {
        const int count = GetPinCount();
        for (int i = 0; i < count; ++i) {
            CBasePin* pin = GetPin(i);
            if (!pin || !pin->IsConnected()) {
                continue;
            }
            const HRESULT hr = pin->Active();
            if (FAILED(hr)) {
                // A filter that stays Stopped must not leave pins active
                // (committed allocators, running streaming threads): no later
                // Stop would make them inactive.
                for (int j = 0; j < i; ++j) {
                    CBasePin* done = GetPin(j);
                    if (done && done->IsConnected()) {
                        done->Inactive();
                    }
                }
                return hr;
            }
        }
    }
    m_State = State_Paused;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME tStart)
{
    CAutoLock lock(m_pLock);
    m_tStart = tStart;
    if (m_State == State_Stopped) {
        const HRESULT hr = Pause();
        if (FAILED(hr)) {
            return hr;
        }
    }
    if (m_State != State_Running) {
        const int count = GetPinCount();
        for (int i = 0; i < count; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                const HRESULT hr = pin->Run(tStart);
                if (FAILED(hr)) {
                    return hr;
                }
            }
        }
    }
    m_State = State_Running;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD /*dwMilliSecsTimeout*/, FILTER_STATE* State)
{
    if (!State) {
        return E_POINTER;
    }
    *State = m_State;
    return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* pClock)
{
    CAutoLock lock(m_pLock);
    m_pClock = ComPtr<IReferenceClock>(pClock);
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** pClock)
{
    if (!pClock) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    *pClock = m_pClock.Get();
    if (*pClock) {
        (*pClock)->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    return CEnumPins::Create(this, nullptr, ppEnum);
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR Id, IPin** ppPin)
{
    if (!ppPin) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    *ppPin = nullptr;
    if (!Id) {
        return VFW_E_NOT_FOUND;
    }
    const int count = GetPinCount();
    for (int i = 0; i < count; ++i) {
        CBasePin* pin = GetPin(i);
        if (pin && std::wcscmp(pin->Name(), Id) == 0) {
            *ppPin = pin;
            pin->AddRef();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* pInfo)
{
    if (!pInfo) {
        return E_POINTER;
    }
    std::lock_guard guard(m_graphLock);
    const std::size_t length = std::min<std::size_t>(m_pName.size(), MAX_FILTER_NAME - 1);
    std::wmemcpy(pInfo->achName, m_pName.data(), length);
    pInfo->achName[length] = L'\0';
    pInfo->pGraph = m_pGraph;
    if (m_pGraph) {
        m_pGraph->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName)
{
    CAutoLock lock(m_pLock);
    IMediaEventSink* sink = nullptr;
    if (pGraph && SUCCEEDED(pGraph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink))) && sink) {
        // Kept without a reference: the graph holds this filter, not the other way round.
        sink->Release();
    } else {
        sink = nullptr;
    }
    try {
        std::wstring name = pName ? std::wstring(pName) : std::wstring();
        std::lock_guard guard(m_graphLock);
        m_pGraph = pGraph;
        m_pSink = sink;
        m_pName = std::move(name);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR* /*pVendorInfo*/) { return E_NOTIMPL; }

STDMETHODIMP CBaseFilter::Register() { return GetSetupData() ? E_NOTIMPL : S_FALSE; }

STDMETHODIMP CBaseFilter::Unregister() { return GetSetupData() ? E_NOTIMPL : S_FALSE; }

IFilterGraph* CBaseFilter::GetFilterGraph()
{
    std::lock_guard guard(m_graphLock);
    return m_pGraph;
}

HRESULT CBaseFilter::NotifyEvent(LONG eventCode, LONG_PTR param1, LONG_PTR param2)
{
    IMediaEventSink* sink = nullptr;
    {
        std::lock_guard guard(m_graphLock);
        sink = m_pSink;
        if (sink) {
            sink->AddRef();
        }
    }
    if (!sink) {
        return E_NOTIMPL;
    }
    const HRESULT hr = sink->Notify(eventCode, param1, param2);
    sink->Release();
    return hr;
}
