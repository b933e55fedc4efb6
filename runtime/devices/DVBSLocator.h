#pragma once
// The DVB-S locator (CLSID_DVBSLocator): carrier frequency, symbol rate,
// FEC, modulation and the satellite's position, every value as it was put
// (nothing is checked or converted). Created with every value "not set"
// (-1 or the enumerations' NOT_SET). Any thread.
#include "platform/dshow/TuningInterfaces.h"
#include "runtime/ComObject.h"
#include "runtime/devices/TuningSpaceValues.h"

#include <mutex>

namespace runtime {

class DVBSLocator final : public ComObject<DVBSLocator, DispatchWithoutTypeInfo<IDVBSLocator>> {
public:
    // Class factory (CLSID_DVBSLocator); aggregation is refused.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);
    // A new locator holding values; one reference for the caller.
    static IDVBSLocator* Create(const LocatorValues& values);

    // ILocator
    STDMETHODIMP get_CarrierFrequency(LONG* Frequency) override;
    STDMETHODIMP put_CarrierFrequency(LONG Frequency) override;
    STDMETHODIMP get_InnerFEC(FECMethod* FEC) override;
    STDMETHODIMP put_InnerFEC(FECMethod FEC) override;
    STDMETHODIMP get_InnerFECRate(BinaryConvolutionCodeRate* FEC) override;
    STDMETHODIMP put_InnerFECRate(BinaryConvolutionCodeRate FEC) override;
    STDMETHODIMP get_OuterFEC(FECMethod* FEC) override;
    STDMETHODIMP put_OuterFEC(FECMethod FEC) override;
    STDMETHODIMP get_OuterFECRate(BinaryConvolutionCodeRate* FEC) override;
    STDMETHODIMP put_OuterFECRate(BinaryConvolutionCodeRate FEC) override;
    STDMETHODIMP get_Modulation(ModulationType* Modulation) override;
    STDMETHODIMP put_Modulation(ModulationType Modulation) override;
    STDMETHODIMP get_SymbolRate(LONG* Rate) override;
    STDMETHODIMP put_SymbolRate(LONG Rate) override;
    STDMETHODIMP Clone(ILocator** NewLocator) override;

    // IDVBSLocator
    STDMETHODIMP get_SignalPolarisation(Polarisation* PolarisationVal) override;
    STDMETHODIMP put_SignalPolarisation(Polarisation PolarisationVal) override;
    STDMETHODIMP get_WestPosition(VARIANT_BOOL* WestLongitude) override;
    STDMETHODIMP put_WestPosition(VARIANT_BOOL WestLongitude) override;
    STDMETHODIMP get_OrbitalPosition(LONG* longitude) override;
    STDMETHODIMP put_OrbitalPosition(LONG longitude) override;
    STDMETHODIMP get_Azimuth(LONG* Azimuth) override;
    STDMETHODIMP put_Azimuth(LONG Azimuth) override;
    STDMETHODIMP get_Elevation(LONG* Elevation) override;
    STDMETHODIMP put_Elevation(LONG Elevation) override;

    // The values of any DVB-S locator read through its interfaces (so foreign
    // locators work too); values a plain ILocator lacks stay "not set".
    static LocatorValues ReadValues(ILocator* locator);

private:
    explicit DVBSLocator(const LocatorValues& values) : m_values(values) {}
    void* FindInterface(REFIID riid) override;

    template <class T>
    HRESULT Get(T LocatorValues::*member, T* out);
    template <class T>
    HRESULT Put(T LocatorValues::*member, T value);

    std::mutex m_lock;
    LocatorValues m_values;
};

} // namespace runtime
