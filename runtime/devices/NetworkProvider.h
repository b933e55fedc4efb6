#pragma once
// The DVB-S network provider (CLSID_DVBSNetworkProvider): one output pin
// "Antenna Out" (KSDATAFORMAT_TYPE_BDA_ANTENNA; it carries no samples, so it
// needs no allocator and no IMemInputPin downstream) that connects to a
// tuner's input, and ITuner.
//
// put_TuneRequest hands the request's values to the tuner behind the output
// pin (ISimTuneTarget on the connected pin or its filter) and returns the
// tuner's answer: VFW_E_NOT_CONNECTED when nothing is connected,
// E_NOINTERFACE when what is connected cannot tune. A request without a
// locator has nothing to tune: it becomes the current request and S_OK. The
// LNB values come from the request's tuning space (else the one put with
// put_TuningSpace). Every hand-over writes the journal line
// `tune freq=KHZ sr=N pol=N lnb_low=KHZ lnb_high=KHZ lnb_switch=KHZ -> HR`.
//
// Threads: the application's, under the filter lock.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBasePin.h"
#include "platform/dshow/TuningInterfaces.h"
#include "runtime/FilterLock.h"
#include "runtime/LiveObjects.h"
#include "runtime/devices/ISimTuneTarget.h"

#include <memory>

namespace runtime {

class NetworkProvider;

class AntennaOutputPin final : public CBasePin {
public:
    AntennaOutputPin(NetworkProvider* provider, CCritSec* lock);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override;
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
};

class NetworkProvider final : private FilterLock, public CBaseFilter, public ITuner {
public:
    // Class factory (CLSID_DVBSNetworkProvider).
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);

    DECLARE_IUNKNOWN
    // ITuner, then the filter's interfaces.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_output.get() : nullptr; }

    // ITuner
    STDMETHODIMP get_TuningSpace(ITuningSpace** TuningSpace) override;
    STDMETHODIMP put_TuningSpace(ITuningSpace* TuningSpace) override;
    // The current tuning space alone (none before put_TuningSpace).
    STDMETHODIMP EnumTuningSpaces(IEnumTuningSpaces** ppEnum) override;
    // S_FALSE and null before any request.
    STDMETHODIMP get_TuneRequest(ITuneRequest** TuneRequest) override;
    STDMETHODIMP put_TuneRequest(ITuneRequest* TuneRequest) override;
    // S_OK for a request with a locator, else E_INVALIDARG.
    STDMETHODIMP Validate(ITuneRequest* TuneRequest) override;
    // Component types and signal events are not offered: E_NOTIMPL. The
    // signal is read from the tuner's own statistics.
    STDMETHODIMP get_PreferredComponentTypes(IComponentTypes** ComponentTypes) override;
    STDMETHODIMP put_PreferredComponentTypes(IComponentTypes* ComponentTypes) override;
    STDMETHODIMP get_SignalStrength(LONG* Strength) override;
    STDMETHODIMP TriggerSignalEvents(LONG Interval) override;

private:
    explicit NetworkProvider(IUnknown* outer);
    ~NetworkProvider() override;
    HRESULT HandOver(const SimTuneRequest& request);

    std::unique_ptr<AntennaOutputPin> m_output;
    ComPtr<ITuningSpace> m_tuningSpace;
    ComPtr<ITuneRequest> m_tuneRequest;
    SimLiveObject m_live;
};

} // namespace runtime
