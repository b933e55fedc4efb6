#pragma once
// IEnumMoniker over the devices a category held when the enumerator was
// made, in the catalogue's order. Any thread.
#include "platform/dshow/DeviceInterfaces.h"
#include "runtime/ComObject.h"
#include "runtime/devices/DeviceCatalog.h"

#include <mutex>
#include <vector>

namespace runtime {

class MonikerEnumerator final : public ComObject<MonikerEnumerator, IEnumMoniker> {
public:
    // One reference for the caller.
    static IEnumMoniker* Create(const GUID& category, std::vector<DeviceEntry> devices, std::size_t position = 0);

    // S_OK when celt monikers came out, S_FALSE when fewer were left.
    STDMETHODIMP Next(ULONG celt, IMoniker** rgelt, ULONG* pceltFetched) override;
    STDMETHODIMP Skip(ULONG celt) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMoniker** ppenum) override;

private:
    MonikerEnumerator(const GUID& category, std::vector<DeviceEntry> devices, std::size_t position)
        : m_category(category),
          m_devices(std::move(devices)),
          m_position(position)
    {}
    void* FindInterface(REFIID riid) override;

    const GUID m_category;
    std::mutex m_lock;
    const std::vector<DeviceEntry> m_devices;
    std::size_t m_position;
};

} // namespace runtime
