#include "runtime/devices/NetworkProvider.h"

#include "platform/com/Journal.h"
#include "platform/dshow/BdaInterfaces.h"
#include "runtime/devices/DVBSLocator.h"
#include "runtime/devices/DVBSTuningSpace.h"
#include "runtime/devices/TuningSpaceEnumerator.h"

#include <string>

namespace runtime {

// ---- output pin ----

AntennaOutputPin::AntennaOutputPin(NetworkProvider* provider, CCritSec* lock)
    : CBasePin(L"Antenna output", provider, lock, L"Antenna Out", PINDIR_OUTPUT)
{}

HRESULT AntennaOutputPin::CheckMediaType(const AM_MEDIA_TYPE* pmt)
{
    return pmt->majortype == KSDATAFORMAT_TYPE_BDA_ANTENNA ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT AntennaOutputPin::GetMediaType(int position, MediaTypeValue* pMediaType)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *pMediaType = MediaTypeValue(KSDATAFORMAT_TYPE_BDA_ANTENNA);
    return S_OK;
}

STDMETHODIMP AntennaOutputPin::QueryInternalConnections(IPin** apPin, ULONG* nPin)
{
    if (!nPin) return E_POINTER;
    (void)apPin;
    *nPin = 0;
    return S_OK;
}

// No samples travel on this connection.
STDMETHODIMP AntennaOutputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }
STDMETHODIMP AntennaOutputPin::BeginFlush() { return E_UNEXPECTED; }
STDMETHODIMP AntennaOutputPin::EndFlush() { return E_UNEXPECTED; }

// ---- filter ----

HRESULT NetworkProvider::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    auto* provider = new NetworkProvider(outer);
    provider->NonDelegatingAddRef();
    const HRESULT hr = provider->NonDelegatingQueryInterface(riid, ppv);
    provider->NonDelegatingRelease();
    return hr;
}

NetworkProvider::NetworkProvider(IUnknown* outer)
    : CBaseFilter(L"DVB-S Network Provider", outer, &m_filterLock, CLSID_DVBSNetworkProvider),
      m_output(std::make_unique<AntennaOutputPin>(this, &m_filterLock))
{}

NetworkProvider::~NetworkProvider() = default;

STDMETHODIMP NetworkProvider::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_ITuner) return GetInterface(static_cast<ITuner*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP NetworkProvider::get_TuningSpace(ITuningSpace** TuningSpace)
{
    if (!TuningSpace) return E_POINTER;
    CAutoLock lock(m_pLock);
    *TuningSpace = m_tuningSpace.Get();
    if (!*TuningSpace) return S_FALSE;
    (*TuningSpace)->AddRef();
    return S_OK;
}

STDMETHODIMP NetworkProvider::put_TuningSpace(ITuningSpace* TuningSpace)
{
    CAutoLock lock(m_pLock);
    m_tuningSpace = ComPtr<ITuningSpace>(TuningSpace);
    return S_OK;
}

STDMETHODIMP NetworkProvider::EnumTuningSpaces(IEnumTuningSpaces** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    CAutoLock lock(m_pLock);
    std::vector<TuningSpaceValues> spaces;
    if (m_tuningSpace) spaces.push_back(DVBSTuningSpace::ReadValues(m_tuningSpace.Get()));
    *ppEnum = TuningSpaceEnumerator::Create(std::move(spaces));
    return S_OK;
}

STDMETHODIMP NetworkProvider::get_TuneRequest(ITuneRequest** TuneRequest)
{
    if (!TuneRequest) return E_POINTER;
    CAutoLock lock(m_pLock);
    *TuneRequest = m_tuneRequest.Get();
    if (!*TuneRequest) return S_FALSE;
    (*TuneRequest)->AddRef();
    return S_OK;
}

STDMETHODIMP NetworkProvider::put_TuneRequest(ITuneRequest* TuneRequest)
{
    if (!TuneRequest) return E_POINTER;
    CAutoLock lock(m_pLock);
    ComPtr<ILocator> locator;
    if (TuneRequest->get_Locator(&locator) != S_OK || !locator) {
        m_tuneRequest = ComPtr<ITuneRequest>(TuneRequest);
        return S_OK;
    }
    SimTuneRequest values;
    const LocatorValues where = DVBSLocator::ReadValues(locator.Get());
    values.carrierFrequency = where.carrierFrequency;
    values.symbolRate = where.symbolRate;
    values.polarisation = where.polarisation;
    values.innerFEC = where.innerFEC;
    values.innerFECRate = where.innerFECRate;
    values.outerFEC = where.outerFEC;
    values.outerFECRate = where.outerFECRate;
    values.modulation = where.modulation;
    values.orbitalPosition = where.orbitalPosition;
    values.westPosition = where.westPosition;

    ComPtr<ITuningSpace> space;
    if (TuneRequest->get_TuningSpace(&space) != S_OK || !space) space = m_tuningSpace;
    if (space) {
        const TuningSpaceValues lnb = DVBSTuningSpace::ReadValues(space.Get());
        values.lowOscillator = lnb.lowOscillator;
        values.highOscillator = lnb.highOscillator;
        values.lnbSwitch = lnb.lnbSwitch;
        values.spectralInversion = lnb.spectralInversion;
    }
    ComPtr<IDVBTuneRequest> dvb;
    if (SUCCEEDED(TuneRequest->QueryInterface(IID_PPV_ARGS(&dvb)))) {
        dvb->get_ONID(&values.onid);
        dvb->get_TSID(&values.tsid);
        dvb->get_SID(&values.sid);
    }

    const HRESULT hr = HandOver(values);
    if (JournalEnabled()) {
        JournalWrite(
            "tune freq=" + std::to_string(values.carrierFrequency) + " sr=" + std::to_string(values.symbolRate) +
            " pol=" + std::to_string(static_cast<LONG>(values.polarisation)) +
            " lnb_low=" + std::to_string(values.lowOscillator) + " lnb_high=" + std::to_string(values.highOscillator) +
            " lnb_switch=" + std::to_string(values.lnbSwitch) + " -> " + JournalResult(hr));
    }
    if (SUCCEEDED(hr)) m_tuneRequest = ComPtr<ITuneRequest>(TuneRequest);
    return hr;
}

HRESULT NetworkProvider::HandOver(const SimTuneRequest& request)
{
    IPin* peer = m_output->GetConnected();
    if (!peer) return VFW_E_NOT_CONNECTED;
    ComPtr<ISimTuneTarget> target;
    if (FAILED(peer->QueryInterface(IID_PPV_ARGS(&target)))) {
        PIN_INFO info{};
        if (FAILED(peer->QueryPinInfo(&info)) || !info.pFilter) return E_NOINTERFACE;
        ComPtr<IBaseFilter> tuner;
        tuner.Attach(info.pFilter);
        if (FAILED(tuner->QueryInterface(IID_PPV_ARGS(&target)))) return E_NOINTERFACE;
    }
    return target->ApplyTuneRequest(request);
}

STDMETHODIMP NetworkProvider::Validate(ITuneRequest* TuneRequest)
{
    if (!TuneRequest) return E_POINTER;
    ComPtr<ILocator> locator;
    return TuneRequest->get_Locator(&locator) == S_OK && locator ? S_OK : E_INVALIDARG;
}

STDMETHODIMP NetworkProvider::get_PreferredComponentTypes(IComponentTypes** ComponentTypes)
{
    if (ComponentTypes) *ComponentTypes = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP NetworkProvider::put_PreferredComponentTypes(IComponentTypes*) { return E_NOTIMPL; }

STDMETHODIMP NetworkProvider::get_SignalStrength(LONG* Strength)
{
    if (Strength) *Strength = 0;
    return E_NOTIMPL;
}

STDMETHODIMP NetworkProvider::TriggerSignalEvents(LONG) { return E_NOTIMPL; }

} // namespace runtime
