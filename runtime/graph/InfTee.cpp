#include "runtime/graph/InfTee.h"

#include "platform/dshow/GraphBuilderInterfaces.h"

#include <string>

namespace runtime {

// ---- input pin ----

InfTeeInputPin::InfTeeInputPin(InfTee* tee, CCritSec* lock)
    : CBaseInputPin(L"InfTee input", tee, lock, L"Input"),
      m_tee(tee)
{}

HRESULT InfTeeInputPin::CheckMediaType(const AM_MEDIA_TYPE*) { return S_OK; }

HRESULT InfTeeInputPin::GetMediaType(int position, MediaTypeValue*)
{
    return position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
}

STDMETHODIMP InfTeeInputPin::Receive(IMediaSample* pSample)
{
    if (!pSample) return E_POINTER;
    if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
    HRESULT result = S_OK;
    bool delivered = false;
    for (InfTeeOutputPin* output : m_tee->ConnectedOutputs()) {
        const HRESULT hr = output->Deliver(pSample);
        if (hr == S_OK) {
            delivered = true;
        } else {
            result = hr;
        }
    }
    return delivered ? S_OK : result;
}

STDMETHODIMP InfTeeInputPin::ReceiveCanBlock()
{
    // Blocks when any downstream pin may block.
    for (InfTeeOutputPin* output : m_tee->ConnectedOutputs()) {
        ComPtr<IMemInputPin> downstream;
        if (IPin* peer = output->GetConnected(); peer && SUCCEEDED(peer->QueryInterface(IID_PPV_ARGS(&downstream))) &&
            downstream->ReceiveCanBlock() != S_FALSE) {
            return S_OK;
        }
    }
    return S_FALSE;
}

STDMETHODIMP InfTeeInputPin::EndOfStream()
{
    if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
    for (InfTeeOutputPin* output : m_tee->ConnectedOutputs()) output->DeliverEndOfStream();
    return S_OK;
}

STDMETHODIMP InfTeeInputPin::BeginFlush()
{
    const HRESULT hr = CBaseInputPin::BeginFlush();
    for (InfTeeOutputPin* output : m_tee->ConnectedOutputs()) output->DeliverBeginFlush();
    return hr;
}

STDMETHODIMP InfTeeInputPin::EndFlush()
{
    for (InfTeeOutputPin* output : m_tee->ConnectedOutputs()) output->DeliverEndFlush();
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP InfTeeInputPin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    for (InfTeeOutputPin* output : m_tee->ConnectedOutputs()) output->DeliverNewSegment(tStart, tStop, dRate);
    return S_OK;
}

STDMETHODIMP InfTeeInputPin::QueryInternalConnections(IPin** apPin, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    *nPin = 0;
    (void)apPin;
    return E_NOTIMPL; // every output carries the input: no subset to report
}

// ---- output pin ----

InfTeeOutputPin::InfTeeOutputPin(InfTee* tee, CCritSec* lock, LPCWSTR name)
    : CBaseOutputPin(L"InfTee output", tee, lock, name),
      m_tee(tee)
{}

HRESULT InfTeeOutputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    InfTeeInputPin* input = m_tee->Input();
    if (!input->IsConnected()) return VFW_E_NOT_CONNECTED;
    return input->CurrentMediaType().Equals(*pmt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT InfTeeOutputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    InfTeeInputPin* input = m_tee->Input();
    if (position > 0 || !input->IsConnected()) return VFW_S_NO_MORE_ITEMS;
    return pMediaType->Assign(input->CurrentMediaType());
}

HRESULT InfTeeOutputPin::CompleteConnect(IPin* pReceivePin)
{
    if (const HRESULT hr = CBaseOutputPin::CompleteConnect(pReceivePin); FAILED(hr)) return hr;
    m_tee->EnsureFreeOutput();
    return S_OK;
}

HRESULT InfTeeOutputPin::DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc)
{
    IMemAllocator* shared = m_tee->Input()->Allocator();
    if (!shared) return CBaseOutputPin::DecideAllocator(pPin, ppAlloc);
    // Several readers share these buffers, so nobody downstream may write them.
    if (const HRESULT hr = pPin->NotifyAllocator(shared, TRUE); FAILED(hr)) return hr;
    shared->AddRef();
    *ppAlloc = shared;
    return S_OK;
}

HRESULT InfTeeOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps)
{
    // Only reached when the input has no allocator yet; the tee itself never
    // fills these buffers.
    ALLOCATOR_PROPERTIES request = *pProps;
    if (request.cBuffers < 1) request.cBuffers = 1;
    if (request.cbBuffer < 1) request.cbBuffer = 188;
    ALLOCATOR_PROPERTIES actual{};
    return pAlloc->SetProperties(&request, &actual);
}

// ---- filter ----

HRESULT InfTee::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    auto* tee = new InfTee(outer);
    tee->NonDelegatingAddRef();
    const HRESULT hr = tee->NonDelegatingQueryInterface(riid, ppv);
    tee->NonDelegatingRelease();
    return hr;
}

InfTee::InfTee(IUnknown* outer) : CBaseFilter(L"Infinite Pin Tee", outer, &m_filterLock, CLSID_InfTee)
{
    m_input = std::make_unique<InfTeeInputPin>(this, &m_filterLock);
    m_outputs.push_back(std::make_unique<InfTeeOutputPin>(this, &m_filterLock, L"Output1"));
}

InfTee::~InfTee() = default;

int InfTee::GetPinCount()
{
    std::lock_guard guard(m_pinsLock);
    return 1 + static_cast<int>(m_outputs.size());
}

CBasePin* InfTee::GetPin(int n)
{
    if (n == 0) return m_input.get();
    std::lock_guard guard(m_pinsLock);
    return n > 0 && n <= static_cast<int>(m_outputs.size()) ? m_outputs[n - 1].get() : nullptr;
}

std::vector<InfTeeOutputPin*> InfTee::ConnectedOutputs()
{
    std::vector<InfTeeOutputPin*> connected;
    std::lock_guard guard(m_pinsLock);
    for (const auto& output : m_outputs) {
        if (output->IsConnected()) connected.push_back(output.get());
    }
    return connected;
}

void InfTee::EnsureFreeOutput()
{
    {
        std::lock_guard guard(m_pinsLock);
        for (const auto& output : m_outputs) {
            if (!output->IsConnected()) return;
        }
        const std::wstring name = L"Output" + std::to_wstring(m_outputs.size() + 1);
        m_outputs.push_back(std::make_unique<InfTeeOutputPin>(this, &m_filterLock, name.c_str()));
    }
    IncrementPinVersion();
}

} // namespace runtime
