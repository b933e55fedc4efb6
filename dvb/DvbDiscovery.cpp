#include "dvb/DvbDiscovery.h"

#include "dvb/DvbLibraryLog.h"

// dvb-dev.h declares its functions without C linkage of its own.
extern "C" {
#include <libdvbv5/dvb-dev.h>
}
#include <libdvbv5/dvb-fe.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <tuple>

namespace dvb {

namespace {

struct DeviceListDeleter {
    void operator()(dvb_device* device) const { dvb_dev_free(device); }
};

} // namespace

std::vector<FoundFrontend> FindSatelliteFrontends(std::vector<std::string>* problems)
{
    std::vector<FoundFrontend> found;
    std::unique_ptr<dvb_device, DeviceListDeleter> list(dvb_dev_alloc());
    if (!list) return found;
    dvb_dev_set_log(list.get(), 0, &LibraryLog);
    if (dvb_dev_find(list.get(), nullptr, nullptr) != 0) {
        problems->push_back("the DVB devices cannot be listed");
        return found;
    }
    std::vector<FrontendAddress> addresses;
    for (int i = 0; i < list->num_devices; ++i) {
        const dvb_dev_list& entry = list->devices[i];
        FrontendAddress address;
        char end = 0;
        if (entry.dvb_type == DVB_DEVICE_FRONTEND && entry.sysname &&
            std::sscanf(entry.sysname, "dvb%d.frontend%d%c", &address.adapter, &address.frontend, &end) == 2) {
            addresses.push_back(address);
        }
    }
    std::sort(addresses.begin(), addresses.end(), [](const FrontendAddress& a, const FrontendAddress& b) {
        return std::tie(a.adapter, a.frontend) < std::tie(b.adapter, b.frontend);
    });
    for (const FrontendAddress& address : addresses) {
        dvb_open_descriptor* open = dvb_dev_open(list.get(), address.Sysname().c_str(), O_RDONLY);
        if (!open) {
            problems->push_back("/dev/dvb/" + address.Section() + " cannot be opened");
            continue;
        }
        const dvb_v5_fe_parms* parms = list->fe_parms;
        FoundFrontend frontend;
        frontend.address = address;
        bool satellite = false;
        for (int s = 0; s < parms->num_systems; ++s) {
            if (parms->systems[s] == SYS_DVBS || parms->systems[s] == SYS_DVBS2) satellite = true;
            if (parms->systems[s] == SYS_DVBS2) frontend.dvbs2 = true;
        }
        frontend.driverName.assign(parms->info.name, strnlen(parms->info.name, sizeof parms->info.name));
        dvb_dev_close(open);
        if (satellite) found.push_back(std::move(frontend));
    }
    return found;
}

} // namespace dvb
