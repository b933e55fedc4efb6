#include "runtime/devices/DeviceEnumerator.h"

#include "platform/com/ComPtr.h"
#include "runtime/devices/MonikerEnumerator.h"

namespace runtime {

ClassFactory DeviceEnumerator::Factory(std::shared_ptr<DeviceCatalog> catalog)
{
    return [catalog](IUnknown* outer, REFIID riid, void** ppv) -> HRESULT {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* enumerator = new DeviceEnumerator(catalog);
        ComPtr<ICreateDevEnum> held(enumerator);
        return held->QueryInterface(riid, ppv);
    };
}

void* DeviceEnumerator::FindInterface(REFIID riid)
{
    return riid == IID_ICreateDevEnum ? static_cast<ICreateDevEnum*>(this) : nullptr;
}

STDMETHODIMP DeviceEnumerator::CreateClassEnumerator(REFCLSID clsidDeviceClass, IEnumMoniker** ppEnumMoniker, DWORD)
{
    if (!ppEnumMoniker) return E_POINTER;
    *ppEnumMoniker = nullptr;
    auto devices = m_catalog->Devices(clsidDeviceClass);
    if (devices.empty()) return S_FALSE;
    *ppEnumMoniker = MonikerEnumerator::Create(clsidDeviceClass, std::move(devices));
    return S_OK;
}

} // namespace runtime
