#pragma once
// What devices the simulated machine has, by category, in enumeration order.
// Whoever installs the machine (the world installer, or a test) fills it; the
// system device enumerator reads it. A device is a friendly name, possibly
// unreadable, and a factory that creates its filter. Any thread.
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/dshow/FilterInterfaces.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace runtime {

// Creates the device's filter and returns it with one reference for the caller.
using DeviceFilterFactory = std::function<HRESULT(IBaseFilter** filter)>;

struct DeviceEntry {
    std::optional<std::wstring> friendlyName; // none: reading "FriendlyName" fails
    DeviceFilterFactory createFilter;
    std::uint64_t id = 0; // set by AddDevice; names the device in display names
};

class DeviceCatalog {
public:
    DeviceCatalog() = default;
    DeviceCatalog(const DeviceCatalog&) = delete;
    DeviceCatalog& operator=(const DeviceCatalog&) = delete;

    // Appends a device to the category; returns its id.
    std::uint64_t AddDevice(REFGUID category, std::optional<std::wstring> friendlyName,
                            DeviceFilterFactory createFilter);
    // Takes a device out of every category (a removed device); false when unknown.
    bool RemoveDevice(std::uint64_t id);
    void Clear();

    // The category's devices now, in order (a copy).
    std::vector<DeviceEntry> Devices(REFGUID category) const;

private:
    struct GuidLess {
        bool operator()(const GUID& a, const GUID& b) const;
    };

    mutable std::mutex m_lock;
    std::map<GUID, std::vector<DeviceEntry>, GuidLess> m_categories;
    std::uint64_t m_nextId = 1;
};

} // namespace runtime
