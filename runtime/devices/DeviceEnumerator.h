#pragma once
// The system device enumerator (CLSID_SystemDeviceEnum) over a DeviceCatalog.
// Any thread.
#include "platform/com/ClassRegistry.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "runtime/ComObject.h"
#include "runtime/devices/DeviceCatalog.h"

#include <memory>

namespace runtime {

class DeviceEnumerator final : public ComObject<DeviceEnumerator, ICreateDevEnum> {
public:
    // The class factory of an enumerator over catalog.
    static ClassFactory Factory(std::shared_ptr<DeviceCatalog> catalog);

    // The category's devices as they are now; S_FALSE and no enumerator for
    // an empty (or unknown) category. dwFlags is ignored.
    STDMETHODIMP CreateClassEnumerator(REFCLSID clsidDeviceClass, IEnumMoniker** ppEnumMoniker, DWORD dwFlags) override;

private:
    explicit DeviceEnumerator(std::shared_ptr<DeviceCatalog> catalog) : m_catalog(std::move(catalog)) {}
    void* FindInterface(REFIID riid) override;

    const std::shared_ptr<DeviceCatalog> m_catalog;
};

} // namespace runtime
