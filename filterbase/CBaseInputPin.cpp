#include "filterbase/CBaseInputPin.h"

#include "filterbase/CBaseFilter.h"
#include "platform/com/ClassRegistry.h"
#include "platform/dshow/Uuids.h"

CBaseInputPin::CBaseInputPin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, LPCWSTR pinName)
    : CBasePin(objectName, filter, lock, pinName, PINDIR_INPUT)
{}

CBaseInputPin::~CBaseInputPin() = default;

STDMETHODIMP CBaseInputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IMemInputPin) {
        return GetInterface(static_cast<IMemInputPin*>(this), ppv);
    }
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CBaseInputPin::Inactive()
{
    m_bRunTimeError = false;
    if (!m_pAllocator) {
        return VFW_E_NO_ALLOCATOR;
    }
    m_bFlushing = false;
    return m_pAllocator->Decommit();
}

HRESULT CBaseInputPin::BreakConnect()
{
    if (m_pAllocator) {
        const HRESULT hr = m_pAllocator->Decommit();
        if (FAILED(hr)) {
            return hr;
        }
        m_pAllocator = nullptr;
    }
    return S_OK;
}

HRESULT CBaseInputPin::CheckStreaming()
{
    if (IsStopped()) {
        return VFW_E_WRONG_STATE;
    }
    if (m_bFlushing) {
        return S_FALSE;
    }
    if (m_bRunTimeError) {
        return VFW_E_RUNTIME_ERROR;
    }
    return S_OK;
}

STDMETHODIMP CBaseInputPin::BeginFlush()
{
    CAutoLock lock(m_pLock);
    m_bFlushing = true;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush()
{
    CAutoLock lock(m_pLock);
    m_bFlushing = false;
    m_bRunTimeError = false;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** ppAllocator)
{
    if (!ppAllocator) {
        return E_POINTER;
    }
    *ppAllocator = nullptr;
    CAutoLock lock(m_pLock);
    if (!m_pAllocator) {
        const HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                            reinterpret_cast<void**>(m_pAllocator.ReleaseAndGetAddressOf()));
        if (FAILED(hr)) {
            return hr;
        }
    }
    *ppAllocator = m_pAllocator.Get();
    (*ppAllocator)->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly)
{
    if (!pAllocator) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    m_pAllocator = ComPtr<IMemAllocator>(pAllocator);
    m_bReadOnly = bReadOnly != FALSE;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* /*pProps*/) { return E_NOTIMPL; }

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** pSamples, LONG nSamples, LONG* nSamplesProcessed)
{
    if (!pSamples || !nSamplesProcessed) {
        return E_POINTER;
    }
    *nSamplesProcessed = 0;
    HRESULT hr = S_OK;
    for (LONG i = 0; i < nSamples; ++i) {
        hr = Receive(pSamples[i]);
        if (hr != S_OK) {
            break;
        }
        ++*nSamplesProcessed;
    }
    return hr;
}
