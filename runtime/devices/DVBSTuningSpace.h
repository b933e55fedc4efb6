#pragma once
// The DVB-S tuning space (CLSID_DVBSTuningSpace): names, network type,
// system type, network id, frequency mapping, default locator and the LNB
// (oscillators and switch in kHz, input range, spectral inversion). Values
// are kept as they are put. Any thread.
#include "platform/com/ComPtr.h"
#include "platform/dshow/TuningInterfaces.h"
#include "runtime/ComObject.h"
#include "runtime/devices/TuningSpaceValues.h"

#include <mutex>

namespace runtime {

class DVBSTuningSpace final : public ComObject<DVBSTuningSpace, DispatchWithoutTypeInfo<IDVBSTuningSpace>> {
public:
    // Class factory (CLSID_DVBSTuningSpace); aggregation is refused.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);
    // A new space holding values (with a new locator for values.defaultLocator);
    // one reference for the caller.
    static IDVBSTuningSpace* Create(const TuningSpaceValues& values);

    // The values of any tuning space read through its interfaces (the store
    // keeps them this way); values a space lacks stay at their defaults.
    static TuningSpaceValues ReadValues(ITuningSpace* space);

    // ITuningSpace
    STDMETHODIMP get_UniqueName(BSTR* Name) override;
    STDMETHODIMP put_UniqueName(BSTR Name) override;
    STDMETHODIMP get_FriendlyName(BSTR* Name) override;
    STDMETHODIMP put_FriendlyName(BSTR Name) override;
    STDMETHODIMP get_CLSID(BSTR* SpaceCLSID) override;
    STDMETHODIMP get_NetworkType(BSTR* NetworkTypeGuid) override;
    // E_INVALIDARG for a text that is not a GUID in registry form.
    STDMETHODIMP put_NetworkType(BSTR NetworkTypeGuid) override;
    STDMETHODIMP get__NetworkType(GUID* NetworkTypeGuid) override;
    STDMETHODIMP put__NetworkType(REFCLSID NetworkTypeGuid) override;
    // A new request of this space, without a locator.
    STDMETHODIMP CreateTuneRequest(ITuneRequest** TuneRequest) override;
    // Category lists, device monikers and component types are not kept by
    // this platform: E_NOTIMPL.
    STDMETHODIMP EnumCategoryGUIDs(IEnumGUID** ppEnum) override;
    STDMETHODIMP EnumDeviceMonikers(IEnumMoniker** ppEnum) override;
    STDMETHODIMP get_DefaultPreferredComponentTypes(IComponentTypes** ComponentTypes) override;
    STDMETHODIMP put_DefaultPreferredComponentTypes(IComponentTypes* NewComponentTypes) override;
    STDMETHODIMP get_FrequencyMapping(BSTR* pMapping) override;
    STDMETHODIMP put_FrequencyMapping(BSTR Mapping) override;
    // S_FALSE and null when none was put.
    STDMETHODIMP get_DefaultLocator(ILocator** LocatorVal) override;
    // Keeps a reference; null removes the default locator.
    STDMETHODIMP put_DefaultLocator(ILocator* LocatorVal) override;
    // An independent copy (the default locator cloned too).
    STDMETHODIMP Clone(ITuningSpace** NewTS) override;

    // IDVBTuningSpace, IDVBTuningSpace2
    STDMETHODIMP get_SystemType(DVBSystemType* SysType) override;
    STDMETHODIMP put_SystemType(DVBSystemType SysType) override;
    STDMETHODIMP get_NetworkID(LONG* NetworkID) override;
    STDMETHODIMP put_NetworkID(LONG NetworkID) override;

    // IDVBSTuningSpace
    STDMETHODIMP get_LowOscillator(LONG* LowOscillator) override;
    STDMETHODIMP put_LowOscillator(LONG LowOscillator) override;
    STDMETHODIMP get_HighOscillator(LONG* HighOscillator) override;
    STDMETHODIMP put_HighOscillator(LONG HighOscillator) override;
    STDMETHODIMP get_LNBSwitch(LONG* LNBSwitch) override;
    STDMETHODIMP put_LNBSwitch(LONG LNBSwitch) override;
    STDMETHODIMP get_InputRange(BSTR* InputRange) override;
    STDMETHODIMP put_InputRange(BSTR InputRange) override;
    STDMETHODIMP get_SpectralInversion(SpectralInversion* SpectralInversionVal) override;
    STDMETHODIMP put_SpectralInversion(SpectralInversion SpectralInversionVal) override;

private:
    DVBSTuningSpace() = default;
    void* FindInterface(REFIID riid) override;

    template <class T>
    HRESULT Get(T TuningSpaceValues::*member, T* out);
    template <class T>
    HRESULT Put(T TuningSpaceValues::*member, T value);
    HRESULT GetText(std::wstring TuningSpaceValues::*member, BSTR* out);
    HRESULT PutText(std::wstring TuningSpaceValues::*member, BSTR value);

    std::mutex m_lock;
    TuningSpaceValues m_values; // defaultLocator unused: the object below stands for it
    ComPtr<ILocator> m_defaultLocator;
};

} // namespace runtime
