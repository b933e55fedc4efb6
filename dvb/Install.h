#pragma once
// The one entry point to the machine of real tuners: the DVB adapters'
// satellite frontends behind the media runtime, as the simulated machine's
// tuners are. The program's main installs it before the first class is
// created and keeps the handle until everything it created is released; the
// handle's end uninstalls it and writes the journal's last line,
// `exit live_objects=N`.
//
// Installing registers the runtime's classes (allocator, graph classes,
// device enumerator, tuning classes, network provider), then each satellite
// frontend in the broadcast network tuner category with its capture filter
// (the adapter's demux and DVR device) in the receiver component category,
// and the transport information filter. A frontend's name is the one its
// driver reports, or the model name the devices file gives it; the capture
// filter's name follows it ("... Tuner B" gives "... Capture B"). The PCI-E
// model names answer the BDA extension set, the USB box the control set.
//
// Journal: `dvb devices "FILE"` (or `dvb devices none`), one
// `dvb frontend adapterA/frontendF "DRIVER NAME" -> "LISTED NAME"` per
// frontend, and `dvb warning "TEXT"` per problem (also on stderr).
//
// One machine at a time: the class registry is the process's. Install and
// uninstall on one thread, while no other thread uses the classes.
#include "dvb/DvbDiscovery.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace runtime {
class DeviceCatalog;
} // namespace runtime

namespace dvb {

struct DvbMachineOptions {
    // The devices file; empty: KavroDevices.ini in the executable's folder.
    std::filesystem::path devicesFile;
    // The tuning space store's file; empty: the runtime's default.
    std::filesystem::path tuningSpaceFile;
};

class DvbMachine {
public:
    ~DvbMachine();
    DvbMachine(const DvbMachine&) = delete;
    DvbMachine& operator=(const DvbMachine&) = delete;

    const std::vector<FoundFrontend>& Frontends() const { return m_frontends; }
    const std::vector<std::string>& Problems() const { return m_problems; }

    // Who hears that an adapter went away while it streamed; called once,
    // on the capture filter's streaming thread.
    void SetDeviceRemovalHandler(std::function<void()> handler);

private:
    friend std::unique_ptr<DvbMachine> InstallDvbMachine(DvbMachineOptions options);
    DvbMachine() = default;
    void Report(const std::string& text);
    void AddDevices(const std::filesystem::path& devicesFile);

    std::vector<FoundFrontend> m_frontends;
    std::vector<std::string> m_problems;
    std::shared_ptr<runtime::DeviceCatalog> m_catalog;

public:
    // Shared with the capture filters, which may outlive the machine.
    struct Removal {
        std::mutex lock;
        std::function<void()> handler;
        bool fired = false;
    };

private:
    std::shared_ptr<Removal> m_removal = std::make_shared<Removal>();
};

// True when the machine has a frontend that receives DVB-S or DVB-S2.
bool SatelliteFrontendPresent();

// Installs the machine; null (and a message) while another one is installed.
std::unique_ptr<DvbMachine> InstallDvbMachine(DvbMachineOptions options = {});

} // namespace dvb
