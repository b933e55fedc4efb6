#pragma once
// CBaseInputPin: a CBasePin that receives samples through IMemInputPin. A
// concrete input pin supplies Receive, ReceiveCanBlock, CheckMediaType,
// GetMediaType, QueryInternalConnections and NewSegment.
//
// The allocator comes with the connection: the upstream pin asks
// GetAllocator and tells its choice with NotifyAllocator. Inactive decommits
// it at every stop; BreakConnect releases it.
//
// Threads: Receive, ReceiveMultiple and CheckStreaming run on the upstream
// streaming thread; the rest on the thread that drives the graph.
#include "filterbase/CBasePin.h"
#include "platform/dshow/SampleInterfaces.h"

class CBaseInputPin : public CBasePin, public IMemInputPin {
public:
    CBaseInputPin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, LPCWSTR pinName);
    ~CBaseInputPin() override;

    DECLARE_IUNKNOWN

    // IMemInputPin, then CBasePin's answers.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // Hooks.
    // Clears the run-time error flag; VFW_E_NO_ALLOCATOR without an
    // allocator; else clears flushing and decommits the allocator.
    HRESULT Inactive() override;
    // Decommits the allocator (its failure is returned and the allocator
    // kept) and releases it.
    HRESULT BreakConnect() override;
    // Whether a sample may be processed now: VFW_E_WRONG_STATE while the
    // filter is Stopped, S_FALSE while flushing, VFW_E_RUNTIME_ERROR after a
    // run-time error, else S_OK.
    virtual HRESULT CheckStreaming();

    // IPin: flushing starts and ends under the lock.
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    // IMemInputPin
    // The pin's allocator, created on first request as the platform's
    // memory allocator; one reference for the caller.
    STDMETHODIMP GetAllocator(IMemAllocator** ppAllocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps) override;
    // Receive on each sample in order until one gives other than S_OK, which
    // is returned; nSamplesProcessed counts the S_OK ones.
    STDMETHODIMP ReceiveMultiple(IMediaSample** pSamples, LONG nSamples, LONG* nSamplesProcessed) override;

    bool IsFlushing() const { return m_bFlushing; }
    bool IsReadOnly() const { return m_bReadOnly; }
    // The allocator in use, not counted; null before NotifyAllocator or GetAllocator.
    IMemAllocator* Allocator() const { return m_pAllocator.Get(); }

protected:
    ComPtr<IMemAllocator> m_pAllocator;
    bool m_bReadOnly = false;
    std::atomic<bool> m_bFlushing{false};
};
