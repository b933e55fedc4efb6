#pragma once
// The one entry point to the simulated machine. The program's main (and a
// test) installs it before the first class is created and keeps the handle
// until everything it created is released; the handle's end uninstalls the
// machine and writes the journal's last line, `exit live_objects=N`.
//
//   auto machine = InstallSimulatedMachine();
//   machine->SetDeviceRemovalHandler([] { /* post the device-change message */ });
//
// Installing reads the world (the file KAVRO_SIM names, else the embedded
// default world), loads the sky from the world's Sky folder (relative to the
// program's folder unless absolute), and registers every class: the memory
// allocator, the graph classes, the device enumerator with its catalogue,
// the tuning classes and the network provider, each tuner of the world in
// the broadcast network tuner category with its capture filter in the
// receiver component category, and the transport information filter; the
// classes the world removes stay unregistered.
//
// What is wrong in the world or sky files never stops the machine: a value
// that cannot be read keeps its default, a world file that cannot be read at
// all leaves a machine without tuners. Each problem is written to stderr and
// to the journal (`sim warning "TEXT"`, `sim error "TEXT"`), after
// `sim world "FILE"` (or `sim world default`) and before
// `sim sky "FOLDER" satellites=N`.
//
// One machine at a time: the class registry is the process's.
//
// Threads: install and uninstall on one thread, while no other thread uses
// the machine's classes.
#include "sim/tuner/SimClock.h"
#include "sim/tuner/Sky.h"
#include "sim/world/World.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace runtime {
class DeviceCatalog;
} // namespace runtime
namespace sim {

class DeviceRemovalTimer;

struct SimMachineOptions {
    // The world as text, instead of any file (tests).
    std::optional<std::string> worldText;
    // The world file; empty: the file KAVRO_SIM names, or the default world
    // when the variable is unset or empty.
    std::filesystem::path worldFile;
    // The folder a relative Sky is read from; empty: the executable's folder.
    std::filesystem::path programDirectory;
    // The tuning space store's file; empty: DefaultTuningSpaceFile().
    std::filesystem::path tuningSpaceFile;
    // The clock the hardware runs on; null: real time.
    std::shared_ptr<const sim::SimClock> clock;
};

class SimulatedMachine {
public:
    ~SimulatedMachine();
    SimulatedMachine(const SimulatedMachine&) = delete;
    SimulatedMachine& operator=(const SimulatedMachine&) = delete;

    const sim::World& World() const { return m_world; }
    const sim::Sky& Sky() const { return *m_sky; }
    // The problems reported while installing, in order.
    const std::vector<std::string>& Problems() const { return m_problems; }

    // Who receives the world's device-removal notice (DeviceRemovalAfter);
    // called once, on a thread of the simulator (see DeviceRemovalTimer).
    void SetDeviceRemovalHandler(std::function<void()> handler);

private:
    friend std::unique_ptr<SimulatedMachine> InstallSimulatedMachine(SimMachineOptions options);
    SimulatedMachine() = default;

    void Report(bool error, const std::string& text);
    void LoadWorld(const SimMachineOptions& options);
    void LoadSky(const std::filesystem::path& programDirectory);
    void RegisterClasses(const std::filesystem::path& tuningSpaceFile);
    void AddDevices();

    sim::World m_world;
    std::vector<std::string> m_problems;
    std::shared_ptr<const sim::SimClock> m_clock;
    std::shared_ptr<const sim::Sky> m_sky;
    std::shared_ptr<runtime::DeviceCatalog> m_catalog;
    std::unique_ptr<sim::DeviceRemovalTimer> m_removal;
};

// Installs the machine; null (and a message) while another one is installed.
std::unique_ptr<SimulatedMachine> InstallSimulatedMachine(SimMachineOptions options = {});

} // namespace sim
