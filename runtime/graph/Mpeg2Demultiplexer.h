#pragma once
// The MPEG-2 demultiplexer (CLSID_MPEG2Demultiplexer): an input pin
// "MPEG-2 Stream" that takes a transport stream (MEDIATYPE_Stream with the
// BDA or plain MPEG-2 transport subtype) and an output pin "1" that carries
// the stream's tables (MEDIATYPE_MPEG2_SECTIONS, MEDIASUBTYPE_DVB_SI).
//
// Receive reads the stream as 188-byte packets (a packet split across
// samples is joined; bytes before a sync byte 0x47 are skipped) and counts
// them; the packets of the table PIDs 0x0000-0x001F of each sample go out of
// "1", copied into one sample, when "1" is connected. Nothing else leaves.
//
// Threads: Receive runs on the upstream streaming thread, under the
// demultiplexer's own stream lock.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBaseInputPin.h"
#include "filterbase/CBaseOutputPin.h"
#include "runtime/FilterLock.h"
#include "runtime/LiveObjects.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace runtime {

class Mpeg2Demultiplexer;

class Mpeg2DemuxInputPin final : public CBaseInputPin {
public:
    Mpeg2DemuxInputPin(Mpeg2Demultiplexer* demux, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP ReceiveCanBlock() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
    // A new run starts on a packet boundary.
    HRESULT Active() override;

private:
    Mpeg2Demultiplexer* const m_demux;
};

class Mpeg2DemuxSectionPin final : public CBaseOutputPin {
public:
    Mpeg2DemuxSectionPin(Mpeg2Demultiplexer* demux, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProps) override;
};

class Mpeg2Demultiplexer final : private FilterLock, public CBaseFilter {
public:
    // Class factory (CLSID_MPEG2Demultiplexer).
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int n) override;

    // Whole packets received and table packets sent on, since creation.
    long long PacketsReceived() const { return m_packets.load(); }
    long long TablePacketsDelivered() const { return m_tablePackets.load(); }

    // Streaming thread: one sample's bytes.
    HRESULT Consume(const BYTE* data, long size);
    void ResetStream();

private:
    explicit Mpeg2Demultiplexer(IUnknown* outer);
    ~Mpeg2Demultiplexer() override;
    HRESULT DeliverTables();

    std::unique_ptr<Mpeg2DemuxInputPin> m_input;
    std::unique_ptr<Mpeg2DemuxSectionPin> m_sections;
    std::mutex m_streamLock;
    std::vector<BYTE> m_partial; // the start of a packet split across samples
    std::vector<BYTE> m_tables;  // table packets of the sample being read
    std::atomic<long long> m_packets{0};
    std::atomic<long long> m_tablePackets{0};
    SimLiveObject m_live;
};

} // namespace runtime
