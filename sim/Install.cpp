#include "sim/Install.h"

#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/com/WideText.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "platform/dshow/TuningInterfaces.h"
#include "platform/dshow/Uuids.h"
#include "platform/files/WinPath.h"
#include "sim/DeviceRemovalTimer.h"
#include "runtime/SimExit.h"
#include "runtime/devices/DeviceCatalog.h"
#include "runtime/devices/DeviceClasses.h"
#include "runtime/graph/GraphClasses.h"
#include "runtime/graph/MemAllocator.h"
#include "runtime/graph/TransportInformationFilter.h"
#include "sim/tuner/CaptureFilter.h"
#include "sim/tuner/TunerFilter.h"
#include "sim/world/DefaultWorld.h"
#include "sim/world/WorldFile.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {

// The class registry is the process's, so is the fact that a machine fills it.
std::atomic<bool> g_installed{false};

// Every class an installed machine may have registered, taken out again at
// the end whether or not the world kept it.
const CLSID* const kMachineClasses[] = {
    &CLSID_MemoryAllocator,    &CLSID_FilterGraph,      &CLSID_SystemClock,         &CLSID_InfTee,
    &CLSID_MPEG2Demultiplexer, &CLSID_SystemDeviceEnum, &CLSID_SystemTuningSpaces,  &CLSID_DVBSTuningSpace,
    &CLSID_DVBSLocator,        &CLSID_DVBTuneRequest,   &CLSID_DVBSNetworkProvider,
};

// One tuner as the installer builds it: the hardware with the sky and clock
// it reads. Filters hold the device through this rack, so a filter released
// after the machine still finds its sky and clock.
struct TunerRack {
    TunerRack(std::shared_ptr<const sim::Sky> skyIn, std::shared_ptr<const sim::SimClock> clockIn,
              const sim::CableSpec& cable, const sim::Site& site, sim::PropertyModes modes)
        : sky(std::move(skyIn)),
          clock(std::move(clockIn)),
          device(*sky, cable, site, *clock, std::move(modes))
    {}
    std::shared_ptr<const sim::Sky> sky;
    std::shared_ptr<const sim::SimClock> clock;
    sim::TunerDevice device;
};

std::filesystem::path ExecutableFolder()
{
    wchar_t buffer[4096];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, 4096);
    if (length == 0 || length >= 4096) return std::filesystem::current_path();
    return LocalPath(std::wstring_view(buffer, length)).parent_path();
}

// "Kavro N72 DVBS/S2 Tuner B" gives "Kavro N72 DVBS/S2 Capture B".
std::wstring CaptureName(const sim::TunerSpec& tuner)
{
    if (!tuner.name) return FromUtf8("Kavro Capture " + tuner.section);
    std::string name = *tuner.name;
    const auto at = name.find("Tuner");
    if (at == std::string::npos) return FromUtf8(name + " Capture");
    return FromUtf8(name.replace(at, 5, "Capture"));
}

} // namespace

std::unique_ptr<SimulatedMachine> InstallSimulatedMachine(SimMachineOptions options)
{
    if (g_installed.exchange(true)) {
        std::fputs("Kavro-TScap simulator: error: a simulated machine is already installed\n", stderr);
        JournalWrite("sim error " + JournalQuote("a simulated machine is already installed"));
        return nullptr;
    }
    std::unique_ptr<SimulatedMachine> machine;
    try {
        machine.reset(new SimulatedMachine());
    } catch (...) {
        g_installed = false;
        throw;
    }
    // From here on the machine's end clears the flag and the registrations.
    machine->m_clock = options.clock ? options.clock : std::make_shared<sim::SteadyClock>();
    machine->LoadWorld(options);
    machine->LoadSky(options.programDirectory.empty() ? ExecutableFolder() : options.programDirectory);
    machine->RegisterClasses(options.tuningSpaceFile.empty() ? runtime::DefaultTuningSpaceFile()
                                                             : options.tuningSpaceFile);
    machine->AddDevices();
    machine->m_removal =
        std::make_unique<sim::DeviceRemovalTimer>(*machine->m_clock, machine->m_world.deviceRemovalAfterMs);
    return machine;
}

SimulatedMachine::~SimulatedMachine()
{
    m_removal.reset();
    if (m_catalog) m_catalog->Clear();
    for (const CLSID* clsid : kMachineClasses) UnregisterComClass(*clsid);
    m_catalog.reset();
    m_sky.reset();
    m_clock.reset();
    g_installed = false;
    // Last: every object the program held is released by now, and so is
    // everything the machine kept.
    runtime::SimWriteExitLine();
}

void SimulatedMachine::SetDeviceRemovalHandler(std::function<void()> handler)
{
    if (m_removal) m_removal->SetHandler(std::move(handler));
}

void SimulatedMachine::Report(bool error, const std::string& text)
{
    m_problems.push_back(text);
    std::fprintf(stderr, "Kavro-TScap simulator: %s: %s\n", error ? "error" : "warning", text.c_str());
    JournalWrite(std::string(error ? "sim error " : "sim warning ") + JournalQuote(text));
}

void SimulatedMachine::LoadWorld(const SimMachineOptions& options)
{
    std::filesystem::path file = options.worldFile;
    if (!options.worldText && file.empty()) {
#ifdef _WIN32
        // The wide form: a file name of any characters.
        const wchar_t* named = _wgetenv(L"KAVRO_SIM");
#else
        const char* named = std::getenv("KAVRO_SIM");
#endif
        if (named && *named) file = named;
    }
    if (options.worldText) {
        JournalWrite("sim world text");
        m_world = sim::ParseWorldText(*options.worldText);
    } else if (file.empty()) {
        JournalWrite("sim world default");
        m_world = sim::DefaultWorld();
    } else {
        JournalWrite("sim world " + JournalQuote(file.string()));
        std::string error;
        if (auto world = sim::LoadWorldFile(file, &error)) {
            m_world = std::move(*world);
        } else {
            // The default world would hide the mistake behind working tuners.
            m_world = sim::World{};
            Report(true, "world file " + error + "; the machine has no tuners");
        }
    }
    for (const std::string& warning : m_world.warnings) Report(false, "world: " + warning);
}

void SimulatedMachine::LoadSky(const std::filesystem::path& programDirectory)
{
    std::filesystem::path folder(m_world.sky);
    if (folder.is_relative()) folder = programDirectory / folder;
    std::vector<std::string> warnings;
    m_sky = std::make_shared<const sim::Sky>(sim::Sky::Load(folder, &warnings));
    for (const std::string& warning : warnings) Report(false, "sky: " + warning);
    JournalWrite("sim sky " + JournalQuote(folder.string()) +
                 " satellites=" + std::to_string(m_sky->Satellites().size()));
}

void SimulatedMachine::RegisterClasses(const std::filesystem::path& tuningSpaceFile)
{
    m_catalog = std::make_shared<runtime::DeviceCatalog>();
    runtime::RegisterMemAllocatorClass();
    runtime::RegisterGraphClasses();
    runtime::RegisterDeviceClasses(m_catalog, tuningSpaceFile);
    // Components the world takes away, so the program meets their absence.
    if (!m_world.demultiplexer) UnregisterComClass(CLSID_MPEG2Demultiplexer);
    if (!m_world.tee) UnregisterComClass(CLSID_InfTee);
    if (!m_world.networkProvider) UnregisterComClass(CLSID_DVBSNetworkProvider);
    if (!m_world.tuningSpaceStore) UnregisterComClass(CLSID_SystemTuningSpaces);
}

void SimulatedMachine::AddDevices()
{
    ULONG instance = 0;
    for (const sim::TunerSpec& spec : m_world.tuners) {
        ++instance;
        auto rack = std::make_shared<TunerRack>(m_sky, m_clock, m_world.CableOf(spec), m_world.site, spec.modes);
        std::shared_ptr<sim::TunerDevice> device(rack, &rack->device);

        TunerFilterOptions tuner;
        tuner.name = spec.name ? FromUtf8(*spec.name) : FromUtf8("Kavro tuner " + spec.section);
        tuner.inputPin = FromUtf8(spec.inputPin);
        tuner.filterKs = spec.filterKs;
        tuner.pinKs = spec.pinKs;
        tuner.topology = spec.topology;
        tuner.statistics = spec.statistics;
        tuner.medium = instance;
        std::optional<std::wstring> friendlyName;
        if (spec.name) friendlyName = FromUtf8(*spec.name);
        m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, friendlyName, [device, tuner](IBaseFilter** filter) {
            return TunerFilter::Create(device, tuner, filter);
        });

        if (spec.capture) {
            CaptureFilterOptions capture;
            capture.name = CaptureName(spec);
            capture.medium = instance;
            m_catalog->AddDevice(
                KSCATEGORY_BDA_RECEIVER_COMPONENT, capture.name,
                [device, capture](IBaseFilter** filter) { return CaptureFilter::Create(device, capture, filter); });
        }
    }
    if (m_world.transportInformation) {
        m_catalog->AddDevice(KSCATEGORY_BDA_TRANSPORT_INFORMATION,
                             std::wstring(L"BDA MPEG2 Transport Information Filter"),
                             &runtime::TransportInformationFilter::Create);
    }
}

} // namespace sim
