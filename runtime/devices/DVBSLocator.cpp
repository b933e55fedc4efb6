#include "runtime/devices/DVBSLocator.h"

#include "platform/com/ComPtr.h"
#include "platform/com/InterfaceId.h"

namespace runtime {

HRESULT DVBSLocator::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<IDVBSLocator> locator;
    locator.Attach(Create(LocatorValues{}));
    return locator->QueryInterface(riid, ppv);
}

IDVBSLocator* DVBSLocator::Create(const LocatorValues& values)
{
    auto* locator = new DVBSLocator(values);
    locator->AddRef();
    return locator;
}

void* DVBSLocator::FindInterface(REFIID riid)
{
    // IDigitalLocator's identifier from its type: mingw-w64's import library lacks IID_IDigitalLocator.
    if (riid == IID_IDispatch || riid == IID_ILocator || riid == uuidof<IDigitalLocator>() ||
        riid == IID_IDVBSLocator) {
        return static_cast<IDVBSLocator*>(this);
    }
    return nullptr;
}

template <class T>
HRESULT DVBSLocator::Get(T LocatorValues::*member, T* out)
{
    if (!out) return E_POINTER;
    std::lock_guard guard(m_lock);
    *out = m_values.*member;
    return S_OK;
}

template <class T>
HRESULT DVBSLocator::Put(T LocatorValues::*member, T value)
{
    std::lock_guard guard(m_lock);
    m_values.*member = value;
    return S_OK;
}

STDMETHODIMP DVBSLocator::get_CarrierFrequency(LONG* v) { return Get(&LocatorValues::carrierFrequency, v); }
STDMETHODIMP DVBSLocator::put_CarrierFrequency(LONG v) { return Put(&LocatorValues::carrierFrequency, v); }
STDMETHODIMP DVBSLocator::get_InnerFEC(FECMethod* v) { return Get(&LocatorValues::innerFEC, v); }
STDMETHODIMP DVBSLocator::put_InnerFEC(FECMethod v) { return Put(&LocatorValues::innerFEC, v); }
STDMETHODIMP DVBSLocator::get_InnerFECRate(BinaryConvolutionCodeRate* v)
{
    return Get(&LocatorValues::innerFECRate, v);
}
STDMETHODIMP DVBSLocator::put_InnerFECRate(BinaryConvolutionCodeRate v) { return Put(&LocatorValues::innerFECRate, v); }
STDMETHODIMP DVBSLocator::get_OuterFEC(FECMethod* v) { return Get(&LocatorValues::outerFEC, v); }
STDMETHODIMP DVBSLocator::put_OuterFEC(FECMethod v) { return Put(&LocatorValues::outerFEC, v); }
STDMETHODIMP DVBSLocator::get_OuterFECRate(BinaryConvolutionCodeRate* v)
{
    return Get(&LocatorValues::outerFECRate, v);
}
STDMETHODIMP DVBSLocator::put_OuterFECRate(BinaryConvolutionCodeRate v) { return Put(&LocatorValues::outerFECRate, v); }
STDMETHODIMP DVBSLocator::get_Modulation(ModulationType* v) { return Get(&LocatorValues::modulation, v); }
STDMETHODIMP DVBSLocator::put_Modulation(ModulationType v) { return Put(&LocatorValues::modulation, v); }
STDMETHODIMP DVBSLocator::get_SymbolRate(LONG* v) { return Get(&LocatorValues::symbolRate, v); }
STDMETHODIMP DVBSLocator::put_SymbolRate(LONG v) { return Put(&LocatorValues::symbolRate, v); }
STDMETHODIMP DVBSLocator::get_SignalPolarisation(Polarisation* v) { return Get(&LocatorValues::polarisation, v); }
STDMETHODIMP DVBSLocator::put_SignalPolarisation(Polarisation v) { return Put(&LocatorValues::polarisation, v); }
STDMETHODIMP DVBSLocator::get_OrbitalPosition(LONG* v) { return Get(&LocatorValues::orbitalPosition, v); }
STDMETHODIMP DVBSLocator::put_OrbitalPosition(LONG v) { return Put(&LocatorValues::orbitalPosition, v); }
STDMETHODIMP DVBSLocator::get_Azimuth(LONG* v) { return Get(&LocatorValues::azimuth, v); }
STDMETHODIMP DVBSLocator::put_Azimuth(LONG v) { return Put(&LocatorValues::azimuth, v); }
STDMETHODIMP DVBSLocator::get_Elevation(LONG* v) { return Get(&LocatorValues::elevation, v); }
STDMETHODIMP DVBSLocator::put_Elevation(LONG v) { return Put(&LocatorValues::elevation, v); }

STDMETHODIMP DVBSLocator::get_WestPosition(VARIANT_BOOL* v)
{
    if (!v) return E_POINTER;
    std::lock_guard guard(m_lock);
    *v = m_values.westPosition ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP DVBSLocator::put_WestPosition(VARIANT_BOOL v)
{
    std::lock_guard guard(m_lock);
    m_values.westPosition = v != VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP DVBSLocator::Clone(ILocator** NewLocator)
{
    if (!NewLocator) return E_POINTER;
    std::lock_guard guard(m_lock);
    *NewLocator = Create(m_values);
    return S_OK;
}

LocatorValues DVBSLocator::ReadValues(ILocator* locator)
{
    LocatorValues values;
    if (!locator) return values;
    locator->get_CarrierFrequency(&values.carrierFrequency);
    locator->get_InnerFEC(&values.innerFEC);
    locator->get_InnerFECRate(&values.innerFECRate);
    locator->get_OuterFEC(&values.outerFEC);
    locator->get_OuterFECRate(&values.outerFECRate);
    locator->get_Modulation(&values.modulation);
    locator->get_SymbolRate(&values.symbolRate);
    ComPtr<IDVBSLocator> satellite;
    if (SUCCEEDED(locator->QueryInterface(IID_PPV_ARGS(&satellite)))) {
        satellite->get_SignalPolarisation(&values.polarisation);
        VARIANT_BOOL west = VARIANT_FALSE;
        if (SUCCEEDED(satellite->get_WestPosition(&west))) values.westPosition = west != VARIANT_FALSE;
        satellite->get_OrbitalPosition(&values.orbitalPosition);
        satellite->get_Azimuth(&values.azimuth);
        satellite->get_Elevation(&values.elevation);
    }
    return values;
}

} // namespace runtime
