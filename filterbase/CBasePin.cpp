#include "filterbase/CBasePin.h"

#include "filterbase/CBaseFilter.h"
#include "filterbase/CEnumMediaTypes.h"
#include "filterbase/MediaTypeFunctions.h"
#include "platform/com/TaskMem.h"

#include <algorithm>
#include <cwchar>

namespace {

// Failures that only say "not this type": the search goes on and they are
// not reported as the reason for a failed connection.
bool IsTypeRefusal(HRESULT hr) { return hr == E_FAIL || hr == E_INVALIDARG || hr == VFW_E_TYPE_NOT_ACCEPTED; }

} // namespace

CBasePin::CBasePin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, LPCWSTR pinName, PIN_DIRECTION direction)
    : CUnknown(objectName, nullptr),
      m_pName(pinName ? pinName : L""),
      m_dir(direction),
      m_pLock(lock),
      m_pFilter(filter)
{}

CBasePin::~CBasePin() = default;

STDMETHODIMP CBasePin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IPin) {
        return GetInterface(static_cast<IPin*>(this), ppv);
    }
    if (riid == IID_IQualityControl) {
        return GetInterface(static_cast<IQualityControl*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingAddRef() { return static_cast<IBaseFilter*>(m_pFilter)->AddRef(); }

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingRelease() { return static_cast<IBaseFilter*>(m_pFilter)->Release(); }

LONG CBasePin::GetMediaTypeVersion() { return m_TypeVersion; }

HRESULT CBasePin::Active() { return S_OK; }

HRESULT CBasePin::Inactive()
{
    m_bRunTimeError = false;
    return S_OK;
}

HRESULT CBasePin::Run(REFERENCE_TIME /*tStart*/) { return S_OK; }

HRESULT CBasePin::SetMediaType(const AM_MEDIA_TYPE* pmt) { return m_mt.Assign(*pmt); }

HRESULT CBasePin::CheckConnect(IPin* pPin)
{
    PIN_DIRECTION peerDirection = PINDIR_INPUT;
    const HRESULT hr = pPin->QueryDirection(&peerDirection);
    if (FAILED(hr)) {
        return hr;
    }
    return peerDirection == m_dir ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT CBasePin::BreakConnect() { return S_OK; }

HRESULT CBasePin::CompleteConnect(IPin* /*pReceivePin*/) { return S_OK; }

bool CBasePin::IsStopped() const { return m_pFilter->IsStopped(); }

void CBasePin::SetConnected(IPin* peer)
{
    ComPtr<IPin> old;
    {
        std::lock_guard guard(m_peerLock);
        old = std::move(m_Connected);
        m_Connected = ComPtr<IPin>(peer);
    }
    // The old peer goes outside the leaf lock: its Release may run a destructor.
}

STDMETHODIMP CBasePin::Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt)
{
    if (!pReceivePin) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    if (IsConnected()) {
        return VFW_E_ALREADY_CONNECTED;
    }
    if (!IsStopped() && !m_bCanReconnectWhenActive) {
        return VFW_E_NOT_STOPPED;
    }
    const HRESULT hr = AgreeMediaType(pReceivePin, pmt);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    return S_OK;
}

HRESULT CBasePin::AgreeMediaType(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt)
{
    if (pmt && !MediaTypeValue::IsPartiallySpecified(*pmt)) {
        return AttemptConnection(pReceivePin, pmt);
    }
    HRESULT failure = VFW_E_NO_ACCEPTABLE_TYPES;
    for (int pass = 0; pass < 2; ++pass) {
        // By default the receiving pin's types come first.
        const bool peersTurn = pass == (m_bTryMyTypesFirst ? 1 : 0);
        ComPtr<IEnumMediaTypes> types;
        const HRESULT got = peersTurn ? pReceivePin->EnumMediaTypes(&types) : EnumMediaTypes(&types);
        if (FAILED(got) || !types) {
            continue;
        }
        const HRESULT hr = TryMediaTypes(pReceivePin, pmt, types.Get());
        if (SUCCEEDED(hr)) {
            return hr;
        }
        if (!IsTypeRefusal(hr)) {
            failure = hr;
        }
    }
    return failure;
}

HRESULT CBasePin::TryMediaTypes(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt, IEnumMediaTypes* pEnum)
{
    HRESULT hr = pEnum->Reset();
    if (FAILED(hr)) {
        return hr;
    }
    HRESULT failure = S_OK;
    for (;;) {
        AM_MEDIA_TYPE* type = nullptr;
        ULONG fetched = 0;
        hr = pEnum->Next(1, &type, &fetched);
        if (hr != S_OK || fetched != 1 || !type) {
            MediaTypeValue::Delete(type);
            return FAILED(failure) ? failure : VFW_E_NO_ACCEPTABLE_TYPES;
        }
        hr = (!pmt || MediaTypeValue::MatchesPartial(*type, *pmt)) ? AttemptConnection(pReceivePin, type)
                                                                   : VFW_E_NO_ACCEPTABLE_TYPES;
        MediaTypeValue::Delete(type);
        // A connection made with a success code other than S_OK is still
        // made: trying the next type would connect this pin twice.
        if (SUCCEEDED(hr)) {
            return hr;
        }
        if (!IsTypeRefusal(hr) && SUCCEEDED(failure)) {
            failure = hr;
        }
    }
}

HRESULT CBasePin::AttemptConnection(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt)
{
    HRESULT hr = CheckConnect(pReceivePin);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    hr = CheckMediaType(pmt);
    if (hr == S_OK) {
        SetConnected(pReceivePin);
        hr = SetMediaType(pmt);
        if (SUCCEEDED(hr)) {
            hr = pReceivePin->ReceiveConnection(this, pmt);
            if (SUCCEEDED(hr)) {
                hr = CompleteConnect(pReceivePin);
                if (SUCCEEDED(hr)) {
                    return hr;
                }
                pReceivePin->Disconnect();
            }
        }
    } else if (SUCCEEDED(hr) || hr == E_FAIL || hr == E_INVALIDARG) {
        hr = VFW_E_TYPE_NOT_ACCEPTED;
    }
    BreakConnect();
    SetConnected(nullptr);
    return hr;
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt)
{
    if (!pConnector || !pmt) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    if (IsConnected()) {
        return VFW_E_ALREADY_CONNECTED;
    }
    if (!IsStopped() && !m_bCanReconnectWhenActive) {
        return VFW_E_NOT_STOPPED;
    }
    HRESULT hr = CheckConnect(pConnector);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    hr = CheckMediaType(pmt);
    if (hr != S_OK) {
        BreakConnect();
        return (SUCCEEDED(hr) || hr == E_FAIL || hr == E_INVALIDARG) ? VFW_E_TYPE_NOT_ACCEPTED : hr;
    }
    SetConnected(pConnector);
    hr = SetMediaType(pmt);
    if (SUCCEEDED(hr)) {
        hr = CompleteConnect(pConnector);
        if (SUCCEEDED(hr)) {
            return S_OK;
        }
    }
    SetConnected(nullptr);
    BreakConnect();
    return hr;
}

STDMETHODIMP CBasePin::Disconnect()
{
    CAutoLock lock(m_pLock);
    if (!IsStopped()) {
        return VFW_E_NOT_STOPPED;
    }
    return DisconnectInternal();
}

HRESULT CBasePin::DisconnectInternal()
{
    CAutoLock lock(m_pLock);
    if (!IsConnected()) {
        return S_FALSE;
    }
    const HRESULT hr = BreakConnect();
    if (FAILED(hr)) {
        return hr;
    }
    SetConnected(nullptr);
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pPin)
{
    if (!pPin) {
        return E_POINTER;
    }
    std::lock_guard guard(m_peerLock);
    *pPin = m_Connected.Get();
    if (!*pPin) {
        return VFW_E_NOT_CONNECTED;
    }
    (*pPin)->AddRef();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* pmt)
{
    if (!pmt) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    if (!IsConnected()) {
        MediaTypeValue::Initialise(*pmt);
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(pmt, &m_mt);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* pInfo)
{
    if (!pInfo) {
        return E_POINTER;
    }
    pInfo->pFilter = m_pFilter;
    pInfo->pFilter->AddRef();
    const std::size_t length = std::min<std::size_t>(m_pName.size(), MAX_PIN_NAME - 1);
    std::wmemcpy(pInfo->achName, m_pName.data(), length);
    pInfo->achName[length] = L'\0';
    pInfo->dir = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* pPinDir)
{
    if (!pPinDir) {
        return E_POINTER;
    }
    *pPinDir = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* Id)
{
    if (!Id) {
        return E_POINTER;
    }
    const std::size_t bytes = (m_pName.size() + 1) * sizeof(WCHAR);
    *Id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*Id) {
        return E_OUTOFMEMORY;
    }
    std::wmemcpy(*Id, m_pName.c_str(), m_pName.size() + 1);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* pmt)
{
    if (!pmt) {
        return E_POINTER;
    }
    const HRESULT hr = CheckMediaType(pmt);
    return FAILED(hr) ? S_FALSE : hr;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    return CEnumMediaTypes::Create(this, nullptr, ppEnum);
}

STDMETHODIMP CBasePin::EndOfStream() { return S_OK; }

STDMETHODIMP CBasePin::Notify(IBaseFilter* pSelf, Quality /*q*/) { return pSelf ? S_OK : E_POINTER; }

STDMETHODIMP CBasePin::SetSink(IQualityControl* piqc)
{
    CAutoLock lock(m_pLock);
    m_pQSink = piqc;
    return S_OK;
}
