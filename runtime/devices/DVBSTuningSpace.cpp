#include "runtime/devices/DVBSTuningSpace.h"

#include "platform/com/WideText.h"
#include "runtime/devices/DVBSLocator.h"
#include "runtime/devices/DVBTuneRequest.h"

namespace runtime {

HRESULT DVBSTuningSpace::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<IDVBSTuningSpace> space;
    space.Attach(Create(TuningSpaceValues{}));
    return space->QueryInterface(riid, ppv);
}

IDVBSTuningSpace* DVBSTuningSpace::Create(const TuningSpaceValues& values)
{
    auto* space = new DVBSTuningSpace();
    space->AddRef();
    space->m_values = values;
    space->m_values.defaultLocator.reset();
    if (values.defaultLocator) {
        space->m_defaultLocator.Attach(DVBSLocator::Create(*values.defaultLocator));
    }
    return space;
}

TuningSpaceValues DVBSTuningSpace::ReadValues(ITuningSpace* space)
{
    TuningSpaceValues values;
    if (!space) return values;
    auto readText = [](auto getter, std::wstring& into) {
        BSTR text = nullptr;
        if (SUCCEEDED(getter(&text))) into = BstrText(text);
        SysFreeString(text);
    };
    readText([&](BSTR* t) { return space->get_UniqueName(t); }, values.uniqueName);
    readText([&](BSTR* t) { return space->get_FriendlyName(t); }, values.friendlyName);
    readText([&](BSTR* t) { return space->get_FrequencyMapping(t); }, values.frequencyMapping);
    std::wstring spaceClass;
    readText([&](BSTR* t) { return space->get_CLSID(t); }, spaceClass);
    if (const auto parsed = GuidFromString(ToUtf8(spaceClass))) values.spaceClass = *parsed;
    space->get__NetworkType(&values.networkType);
    ComPtr<ILocator> locator;
    if (space->get_DefaultLocator(&locator) == S_OK && locator) {
        values.defaultLocator = DVBSLocator::ReadValues(locator.Get());
    }
    ComPtr<IDVBTuningSpace2> dvb;
    if (SUCCEEDED(space->QueryInterface(IID_PPV_ARGS(&dvb)))) {
        dvb->get_SystemType(&values.systemType);
        dvb->get_NetworkID(&values.networkId);
    }
    ComPtr<IDVBSTuningSpace> satellite;
    if (SUCCEEDED(space->QueryInterface(IID_PPV_ARGS(&satellite)))) {
        satellite->get_LowOscillator(&values.lowOscillator);
        satellite->get_HighOscillator(&values.highOscillator);
        satellite->get_LNBSwitch(&values.lnbSwitch);
        readText([&](BSTR* t) { return satellite->get_InputRange(t); }, values.inputRange);
        satellite->get_SpectralInversion(&values.spectralInversion);
    }
    return values;
}

void* DVBSTuningSpace::FindInterface(REFIID riid)
{
    if (riid == IID_IDispatch || riid == IID_ITuningSpace || riid == IID_IDVBTuningSpace ||
        riid == IID_IDVBTuningSpace2 || riid == IID_IDVBSTuningSpace) {
        return static_cast<IDVBSTuningSpace*>(this);
    }
    return nullptr;
}

template <class T>
HRESULT DVBSTuningSpace::Get(T TuningSpaceValues::*member, T* out)
{
    if (!out) return E_POINTER;
    std::lock_guard guard(m_lock);
    *out = m_values.*member;
    return S_OK;
}

template <class T>
HRESULT DVBSTuningSpace::Put(T TuningSpaceValues::*member, T value)
{
    std::lock_guard guard(m_lock);
    m_values.*member = value;
    return S_OK;
}

HRESULT DVBSTuningSpace::GetText(std::wstring TuningSpaceValues::*member, BSTR* out)
{
    if (!out) return E_POINTER;
    std::lock_guard guard(m_lock);
    *out = BstrFrom(m_values.*member);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT DVBSTuningSpace::PutText(std::wstring TuningSpaceValues::*member, BSTR value)
{
    std::lock_guard guard(m_lock);
    m_values.*member = BstrText(value);
    return S_OK;
}

STDMETHODIMP DVBSTuningSpace::get_UniqueName(BSTR* v) { return GetText(&TuningSpaceValues::uniqueName, v); }
STDMETHODIMP DVBSTuningSpace::put_UniqueName(BSTR v) { return PutText(&TuningSpaceValues::uniqueName, v); }
STDMETHODIMP DVBSTuningSpace::get_FriendlyName(BSTR* v) { return GetText(&TuningSpaceValues::friendlyName, v); }
STDMETHODIMP DVBSTuningSpace::put_FriendlyName(BSTR v) { return PutText(&TuningSpaceValues::friendlyName, v); }
STDMETHODIMP DVBSTuningSpace::get_FrequencyMapping(BSTR* v) { return GetText(&TuningSpaceValues::frequencyMapping, v); }
STDMETHODIMP DVBSTuningSpace::put_FrequencyMapping(BSTR v) { return PutText(&TuningSpaceValues::frequencyMapping, v); }
STDMETHODIMP DVBSTuningSpace::get_InputRange(BSTR* v) { return GetText(&TuningSpaceValues::inputRange, v); }
STDMETHODIMP DVBSTuningSpace::put_InputRange(BSTR v) { return PutText(&TuningSpaceValues::inputRange, v); }
STDMETHODIMP DVBSTuningSpace::get_SystemType(DVBSystemType* v) { return Get(&TuningSpaceValues::systemType, v); }
STDMETHODIMP DVBSTuningSpace::put_SystemType(DVBSystemType v) { return Put(&TuningSpaceValues::systemType, v); }
STDMETHODIMP DVBSTuningSpace::get_NetworkID(LONG* v) { return Get(&TuningSpaceValues::networkId, v); }
STDMETHODIMP DVBSTuningSpace::put_NetworkID(LONG v) { return Put(&TuningSpaceValues::networkId, v); }
STDMETHODIMP DVBSTuningSpace::get_LowOscillator(LONG* v) { return Get(&TuningSpaceValues::lowOscillator, v); }
STDMETHODIMP DVBSTuningSpace::put_LowOscillator(LONG v) { return Put(&TuningSpaceValues::lowOscillator, v); }
STDMETHODIMP DVBSTuningSpace::get_HighOscillator(LONG* v) { return Get(&TuningSpaceValues::highOscillator, v); }
STDMETHODIMP DVBSTuningSpace::put_HighOscillator(LONG v) { return Put(&TuningSpaceValues::highOscillator, v); }
STDMETHODIMP DVBSTuningSpace::get_LNBSwitch(LONG* v) { return Get(&TuningSpaceValues::lnbSwitch, v); }
STDMETHODIMP DVBSTuningSpace::put_LNBSwitch(LONG v) { return Put(&TuningSpaceValues::lnbSwitch, v); }
STDMETHODIMP DVBSTuningSpace::get_SpectralInversion(SpectralInversion* v)
{
    return Get(&TuningSpaceValues::spectralInversion, v);
}
STDMETHODIMP DVBSTuningSpace::put_SpectralInversion(SpectralInversion v)
{
    return Put(&TuningSpaceValues::spectralInversion, v);
}
STDMETHODIMP DVBSTuningSpace::get__NetworkType(GUID* v) { return Get(&TuningSpaceValues::networkType, v); }
STDMETHODIMP DVBSTuningSpace::put__NetworkType(REFCLSID v) { return Put(&TuningSpaceValues::networkType, GUID(v)); }

STDMETHODIMP DVBSTuningSpace::get_CLSID(BSTR* SpaceCLSID)
{
    if (!SpaceCLSID) return E_POINTER;
    std::lock_guard guard(m_lock);
    *SpaceCLSID = BstrFrom(FromUtf8(GuidToString(m_values.spaceClass)));
    return *SpaceCLSID ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP DVBSTuningSpace::get_NetworkType(BSTR* NetworkTypeGuid)
{
    if (!NetworkTypeGuid) return E_POINTER;
    std::lock_guard guard(m_lock);
    *NetworkTypeGuid = BstrFrom(FromUtf8(GuidToString(m_values.networkType)));
    return *NetworkTypeGuid ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP DVBSTuningSpace::put_NetworkType(BSTR NetworkTypeGuid)
{
    const auto parsed = GuidFromString(ToUtf8(BstrText(NetworkTypeGuid)));
    if (!parsed) return E_INVALIDARG;
    return Put(&TuningSpaceValues::networkType, *parsed);
}

STDMETHODIMP DVBSTuningSpace::CreateTuneRequest(ITuneRequest** TuneRequest)
{
    if (!TuneRequest) return E_POINTER;
    *TuneRequest = DVBTuneRequest::Create(this);
    return S_OK;
}

STDMETHODIMP DVBSTuningSpace::EnumCategoryGUIDs(IEnumGUID** ppEnum)
{
    if (ppEnum) *ppEnum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DVBSTuningSpace::EnumDeviceMonikers(IEnumMoniker** ppEnum)
{
    if (ppEnum) *ppEnum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DVBSTuningSpace::get_DefaultPreferredComponentTypes(IComponentTypes** ComponentTypes)
{
    if (ComponentTypes) *ComponentTypes = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DVBSTuningSpace::put_DefaultPreferredComponentTypes(IComponentTypes*) { return E_NOTIMPL; }

STDMETHODIMP DVBSTuningSpace::get_DefaultLocator(ILocator** LocatorVal)
{
    if (!LocatorVal) return E_POINTER;
    std::lock_guard guard(m_lock);
    *LocatorVal = m_defaultLocator.Get();
    if (!*LocatorVal) return S_FALSE;
    (*LocatorVal)->AddRef();
    return S_OK;
}

STDMETHODIMP DVBSTuningSpace::put_DefaultLocator(ILocator* LocatorVal)
{
    std::lock_guard guard(m_lock);
    m_defaultLocator = ComPtr<ILocator>(LocatorVal);
    return S_OK;
}

STDMETHODIMP DVBSTuningSpace::Clone(ITuningSpace** NewTS)
{
    if (!NewTS) return E_POINTER;
    TuningSpaceValues copy;
    {
        std::lock_guard guard(m_lock);
        copy = m_values;
        if (m_defaultLocator) copy.defaultLocator = DVBSLocator::ReadValues(m_defaultLocator.Get());
    }
    *NewTS = Create(copy);
    return S_OK;
}

} // namespace runtime
