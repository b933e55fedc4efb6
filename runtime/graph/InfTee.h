#pragma once
// The infinite pin tee (CLSID_InfTee): one input pin "Input" and output pins
// "Output1", "Output2" ... A free output pin is always there: after each
// output connection a new one is added. Pins are never taken away before the
// filter goes, so pin pointers handed out stay valid.
//
// Every sample the input receives goes to every connected output, the same
// sample object without a copy: the outputs hand their downstream pins the
// input's own allocator, read-only. Receive answers S_OK when at least one
// output took the sample (or none is connected), else the last refusal.
// End of stream, flushes and segments go to every connected output.
//
// Threads: Receive runs on the upstream streaming thread without the filter
// lock; output pins are added only while stopped, under a pin lock that
// Receive also takes for a moment to see the connected outputs.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBaseInputPin.h"
#include "filterbase/CBaseOutputPin.h"
#include "runtime/FilterLock.h"
#include "runtime/LiveObjects.h"

#include <memory>
#include <mutex>
#include <vector>

namespace runtime {

class InfTee;

class InfTeeInputPin final : public CBaseInputPin {
public:
    InfTeeInputPin(InfTee* tee, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP ReceiveCanBlock() override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;

private:
    InfTee* const m_tee;
};

class InfTeeOutputPin final : public CBaseOutputPin {
public:
    InfTeeOutputPin(InfTee* tee, CCritSec* lock, LPCWSTR name);
    // Only the input's connection type, once the input is connected.
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    // The input's allocator, read-only; the platform's own only when the
    // input has none.
    HRESULT DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps) override;

private:
    InfTee* const m_tee;
};

class InfTee final : private FilterLock, public CBaseFilter {
public:
    // Class factory (CLSID_InfTee).
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    InfTeeInputPin* Input() { return m_input.get(); }
    // The outputs connected now, not counted (pins live as long as the filter).
    std::vector<InfTeeOutputPin*> ConnectedOutputs();
    // Adds an output pin when none is free. Stopped, under the filter lock.
    void EnsureFreeOutput();

private:
    explicit InfTee(IUnknown* outer);
    ~InfTee() override;

    std::unique_ptr<InfTeeInputPin> m_input;
    std::mutex m_pinsLock;
    std::vector<std::unique_ptr<InfTeeOutputPin>> m_outputs;
    SimLiveObject m_live;
};

} // namespace runtime
