#include "graph/DeviceGetList.h"

#include "graph/DeviceEnum.h"
#include "process/DiagLog.h"

#include <algorithm>
#include <cstring>

std::string DeviceListRecord::Name(std::size_t index) const
{
    if (index < static_cast<std::size_t>(count)) return std::string(entries[index].data());
    index -= static_cast<std::size_t>(count);
    return index < further.size() ? further[index] : std::string();
}

int DeviceGetList(DeviceListRecord* list)
{
    LogLine(L">> DeviceGetList");
    // A category that cannot be enumerated lists nothing: enum_next ends at once.
    const DeviceEnumPtr devices(enum_create(KSCATEGORY_BDA_NETWORK_TUNER));

    *list = DeviceListRecord{};
    while (enum_next(devices.get()) == S_OK) {
        // A failed read leaves the context's name empty: the slot still counts, so
        // list positions stay enumeration positions for the graph builder.
        enum_get_name(devices.get());
        const char* name = devices->name.data();
        if (static_cast<std::size_t>(list->count) < DeviceListRecord::kSlots) {
            auto& slot = list->entries[static_cast<std::size_t>(list->count)];
            const std::size_t length = std::min(std::strlen(name), slot.size() - 1);
            std::copy_n(name, length, slot.begin());
            slot[length] = '\0';
            ++list->count;
        } else {
            list->further.emplace_back(name);
        }
    }
    LogLine(L"<< DeviceGetList");
    return list->Total() < 1 ? 1 : 0;
}
