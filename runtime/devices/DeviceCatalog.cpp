#include "runtime/devices/DeviceCatalog.h"

#include <algorithm>
#include <cstring>

namespace runtime {

bool DeviceCatalog::GuidLess::operator()(const GUID& a, const GUID& b) const
{
    return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}

std::uint64_t DeviceCatalog::AddDevice(REFGUID category, std::optional<std::wstring> friendlyName,
                                       DeviceFilterFactory createFilter)
{
    std::lock_guard guard(m_lock);
    const std::uint64_t id = m_nextId++;
    m_categories[category].push_back(DeviceEntry{std::move(friendlyName), std::move(createFilter), id});
    return id;
}

bool DeviceCatalog::RemoveDevice(std::uint64_t id)
{
    std::lock_guard guard(m_lock);
    bool removed = false;
    for (auto& [category, devices] : m_categories) {
        const auto before = devices.size();
        std::erase_if(devices, [id](const DeviceEntry& d) { return d.id == id; });
        removed = removed || devices.size() != before;
    }
    return removed;
}

void DeviceCatalog::Clear()
{
    std::lock_guard guard(m_lock);
    m_categories.clear();
}

std::vector<DeviceEntry> DeviceCatalog::Devices(REFGUID category) const
{
    std::lock_guard guard(m_lock);
    const auto found = m_categories.find(category);
    return found == m_categories.end() ? std::vector<DeviceEntry>{} : found->second;
}

} // namespace runtime
