#pragma once
// CBaseOutputPin: a CBasePin that delivers samples to a downstream
// IMemInputPin. A concrete output pin supplies CheckMediaType, GetMediaType
// and DecideBufferSize; its filter's streaming thread then calls
// GetDeliveryBuffer, fills the sample and calls Deliver.
//
// Connecting (this pin starts the connection): media type negotiation, then
// CompleteConnect decides the allocator: the downstream pin's own if it has
// one that takes our buffer size, else the platform's memory allocator; the
// downstream pin is told the choice with NotifyAllocator. Active commits the
// allocator, Inactive decommits it (which also releases a streaming thread
// waiting in GetDeliveryBuffer).
//
// Threads: GetDeliveryBuffer and Deliver* run on the streaming thread while
// the filter is not Stopped; connections change only while it is Stopped.
#include "filterbase/CBasePin.h"
#include "platform/dshow/SampleInterfaces.h"

class CBaseOutputPin : public CBasePin {
public:
    CBaseOutputPin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, LPCWSTR pinName);
    ~CBaseOutputPin() override;

    // Hooks.
    // Commits the allocator; VFW_E_NO_ALLOCATOR without one.
    HRESULT Active() override;
    // Clears the run-time error flag and decommits the allocator;
    // VFW_E_NO_ALLOCATOR without one.
    HRESULT Inactive() override;
    // The peer must be an input pin offering IMemInputPin (VFW_E_NO_TRANSPORT).
    HRESULT CheckConnect(IPin* pPin) override;
    // Decommits and releases the allocator (a failing Decommit is returned
    // and the allocator kept) and forgets the downstream IMemInputPin.
    HRESULT BreakConnect() override;
    // DecideAllocator.
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    // Sets the allocator's properties (SetProperties) from the downstream
    // pin's requirements in pProps, which are zero where it has none.
    virtual HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps) = 0;
    // Agrees an allocator with pPin: one reference for *ppAlloc on success.
    virtual HRESULT DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc);
    // Creates the platform's memory allocator.
    virtual HRESULT InitAllocator(IMemAllocator** ppAlloc);

    // IPin: an output pin is never sent these.
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    // Nothing to keep; S_OK.
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;

    // Streaming thread.
    // A free buffer from the allocator (waits for one); VFW_E_NOT_CONNECTED
    // without an allocator; VFW_E_NOT_COMMITTED once the filter stops.
    HRESULT GetDeliveryBuffer(IMediaSample** ppSample, REFERENCE_TIME* pStartTime, REFERENCE_TIME* pEndTime,
                              DWORD dwFlags);
    // Hands the sample to the downstream pin's Receive and returns its answer.
    HRESULT Deliver(IMediaSample* pSample);
    HRESULT DeliverEndOfStream();
    HRESULT DeliverBeginFlush();
    HRESULT DeliverEndFlush();
    HRESULT DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);

    IMemAllocator* Allocator() const { return m_pAllocator.Get(); }

protected:
    ComPtr<IMemAllocator> m_pAllocator;
    ComPtr<IMemInputPin> m_pInputPin;
};
