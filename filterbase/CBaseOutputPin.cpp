#include "filterbase/CBaseOutputPin.h"

#include "platform/com/ClassRegistry.h"
#include "platform/dshow/Uuids.h"

CBaseOutputPin::CBaseOutputPin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, LPCWSTR pinName)
    : CBasePin(objectName, filter, lock, pinName, PINDIR_OUTPUT)
{}

CBaseOutputPin::~CBaseOutputPin() = default;

HRESULT CBaseOutputPin::Active()
{
    if (!m_pAllocator) {
        return VFW_E_NO_ALLOCATOR;
    }
    return m_pAllocator->Commit();
}

HRESULT CBaseOutputPin::Inactive()
{
    m_bRunTimeError = false;
    if (!m_pAllocator) {
        return VFW_E_NO_ALLOCATOR;
    }
    return m_pAllocator->Decommit();
}

HRESULT CBaseOutputPin::CheckConnect(IPin* pPin)
{
    HRESULT hr = CBasePin::CheckConnect(pPin);
    if (FAILED(hr)) {
        return hr;
    }
    hr = pPin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(m_pInputPin.ReleaseAndGetAddressOf()));
    if (FAILED(hr) || !m_pInputPin) {
        m_pInputPin = nullptr;
        return VFW_E_NO_TRANSPORT;
    }
    return S_OK;
}

HRESULT CBaseOutputPin::BreakConnect()
{
    if (m_pAllocator) {
        const HRESULT hr = m_pAllocator->Decommit();
        if (FAILED(hr)) {
            return hr;
        }
        m_pAllocator = nullptr;
    }
    m_pInputPin = nullptr;
    return S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin* /*pReceivePin*/)
{
    if (!m_pInputPin) {
        return VFW_E_NO_TRANSPORT;
    }
    return DecideAllocator(m_pInputPin.Get(), m_pAllocator.ReleaseAndGetAddressOf());
}

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc)
{
    *ppAlloc = nullptr;
    ALLOCATOR_PROPERTIES props{};
    // Requirements are advice; a pin without any (E_NOTIMPL) leaves them zero.
    if (FAILED(pPin->GetAllocatorRequirements(&props))) {
        props = ALLOCATOR_PROPERTIES{};
    }
    if (props.cbAlign == 0) {
        props.cbAlign = 1;
    }

    ComPtr<IMemAllocator> allocator;
    HRESULT hr = pPin->GetAllocator(&allocator);
    if (SUCCEEDED(hr) && allocator) {
        hr = DecideBufferSize(allocator.Get(), &props);
        if (SUCCEEDED(hr)) {
            hr = pPin->NotifyAllocator(allocator.Get(), FALSE);
            if (SUCCEEDED(hr)) {
                *ppAlloc = allocator.Detach();
                return S_OK;
            }
        }
    }

    // The downstream pin's allocator would not do: use our own.
    allocator = nullptr;
    hr = InitAllocator(&allocator);
    if (FAILED(hr)) {
        return hr;
    }
    hr = DecideBufferSize(allocator.Get(), &props);
    if (FAILED(hr)) {
        return hr;
    }
    hr = pPin->NotifyAllocator(allocator.Get(), FALSE);
    if (FAILED(hr)) {
        return hr;
    }
    *ppAlloc = allocator.Detach();
    return S_OK;
}

HRESULT CBaseOutputPin::InitAllocator(IMemAllocator** ppAlloc)
{
    return CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                            reinterpret_cast<void**>(ppAlloc));
}

STDMETHODIMP CBaseOutputPin::EndOfStream() { return E_UNEXPECTED; }

STDMETHODIMP CBaseOutputPin::BeginFlush() { return E_UNEXPECTED; }

STDMETHODIMP CBaseOutputPin::EndFlush() { return E_UNEXPECTED; }

STDMETHODIMP CBaseOutputPin::NewSegment(REFERENCE_TIME /*tStart*/, REFERENCE_TIME /*tStop*/, double /*dRate*/)
{
    return S_OK;
}

STDMETHODIMP CBaseOutputPin::QueryInternalConnections(IPin** /*apPin*/, ULONG* /*nPin*/) { return E_NOTIMPL; }

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** ppSample, REFERENCE_TIME* pStartTime, REFERENCE_TIME* pEndTime,
                                          DWORD dwFlags)
{
    if (!ppSample) {
        return E_POINTER;
    }
    *ppSample = nullptr;
    if (!m_pAllocator) {
        return VFW_E_NOT_CONNECTED;
    }
    return m_pAllocator->GetBuffer(ppSample, pStartTime, pEndTime, dwFlags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* pSample)
{
    if (!m_pInputPin) {
        return VFW_E_NOT_CONNECTED;
    }
    return m_pInputPin->Receive(pSample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream()
{
    IPin* peer = GetConnected();
    return peer ? peer->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverBeginFlush()
{
    IPin* peer = GetConnected();
    return peer ? peer->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverEndFlush()
{
    IPin* peer = GetConnected();
    return peer ? peer->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    IPin* peer = GetConnected();
    return peer ? peer->NewSegment(tStart, tStop, dRate) : VFW_E_NOT_CONNECTED;
}
