#pragma once
// CDumpInputPin: the sink filter's only pin, "Input". It accepts every media
// type and, while its write gate is open, appends each received buffer to the
// recording file, byte for byte, one write per sample.
//
// Threads: Receive and EndOfStream run on the upstream streaming thread and
// hold the receive lock (the record lock, which is also the filter lock)
// while they touch the file. The gate is read without the lock.
// Owned by its CDestFilter; references count on the filter.
#include "filterbase/CBaseInputPin.h"

#include <atomic>

class CDestFilter;
class RecordSession;

class CDumpInputPin final : public CBaseInputPin {
public:
    // lock: the filter lock, which is session.recordLock.
    CDumpInputPin(CDestFilter* filter, RecordSession& session, CCritSec* lock);
    ~CDumpInputPin() override;

    // The write gate: closed at construction; each recording start opens it
    // under the record lock; nothing closes it.
    void SetWriteEnabled(bool enabled) { m_writeEnabled = enabled; }
    bool WriteEnabled() const { return m_writeEnabled; }

    // Hooks.
    // Every type is accepted.
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT BreakConnect() override;
    // One type at position 0: a stream of fixed 188-byte samples, no subtype,
    // no format.
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;

    // IPin
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
    // Waits for a write in progress; nothing is written, flushed or signalled.
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

    // IMemInputPin
    // With the gate open, writes the sample's data (its actual length) to
    // the recording file under the receive lock. Never rejects a sample: a
    // failing write is kept in the RecordSession and the sample still gives
    // S_OK. A GetPointer failure is returned.
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    // S_FALSE: Receive declares it does not block.
    STDMETHODIMP ReceiveCanBlock() override;

private:
    RecordSession& m_session;
    CCritSec* const m_pReceiveLock;
    std::atomic<bool> m_writeEnabled{false};
};
