#pragma once
// The transport information filter of the broadcast device architecture:
// one input pin "Input" that takes the demultiplexer's tables
// (MEDIATYPE_MPEG2_SECTIONS) and consumes them, counting what it got. It is
// found by category (KSCATEGORY_BDA_TRANSPORT_INFORMATION), not by class.
// Receive runs on the upstream streaming thread.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBaseInputPin.h"
#include "runtime/FilterLock.h"
#include "runtime/LiveObjects.h"

#include <atomic>
#include <memory>

namespace runtime {

// The class identifier the filter reports.
inline constexpr CLSID CLSID_TransportInformationFilter = GuidLiteral("{FC772AB0-0C7F-11D3-8FF2-00A0C9224CF4}");

class TransportInformationFilter;

class TransportInformationInputPin final : public CBaseInputPin {
public:
    TransportInformationInputPin(TransportInformationFilter* filter, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP ReceiveCanBlock() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;

private:
    TransportInformationFilter* const m_owner;
};

class TransportInformationFilter final : private FilterLock, public CBaseFilter {
public:
    // Creates the filter; one reference for *ppFilter (a device factory).
    static HRESULT Create(IBaseFilter** ppFilter);

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_input.get() : nullptr; }

    // Bytes received since creation.
    long long BytesReceived() const { return m_bytes.load(); }
    void Count(long bytes) { m_bytes += bytes; }

private:
    TransportInformationFilter();
    ~TransportInformationFilter() override;

    std::unique_ptr<TransportInformationInputPin> m_input;
    std::atomic<long long> m_bytes{0};
    SimLiveObject m_live;
};

} // namespace runtime
