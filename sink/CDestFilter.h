#pragma once
// CDestFilter: the transport stream sink, the last filter of the tuner's
// graph. One input pin (CDumpInputPin), no output; it renders and parses
// nothing and writes what it receives to the RecordSession's file.
//
// Construction: the reference count starts at 0 and the creator adds the
// first reference. The filter lock is the session's recordLock. The filter
// owns its pin and deletes it when the last reference goes: the graph
// teardown releases its reference and never deletes either object itself.
// IAMovieSetup is not offered.
#include "filterbase/CBaseFilter.h"
#include "sink/CDumpInputPin.h"

#include <memory>

class RecordSession;

class CDestFilter final : public CBaseFilter {
public:
    explicit CDestFilter(RecordSession& session);
    ~CDestFilter() override;

    // A new filter with one reference for *ppFilter; E_OUTOFMEMORY.
    static HRESULT Create(RecordSession& session, CDestFilter** ppFilter);

    // IBaseFilter, IMediaFilter, IPersist (all as IBaseFilter) and IUnknown.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override;
    const AMOVIESETUP_FILTER* GetSetupData() override { return nullptr; }

    // Not counted; lives as long as the filter.
    CDumpInputPin* InputPin() const { return m_pPin.get(); }

private:
    std::unique_ptr<CDumpInputPin> m_pPin;
};
