#include "dvb/Install.h"

#include "dvb/DevicesFile.h"
#include "dvb/DvbCaptureFilter.h"
#include "dvb/DvbTunerFilter.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/com/WideText.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "platform/dshow/TuningInterfaces.h"
#include "platform/dshow/Uuids.h"
#include "platform/files/WholeFile.h"
#include "platform/files/WinPath.h"
#include "runtime/SimExit.h"
#include "runtime/devices/DeviceCatalog.h"
#include "runtime/devices/DeviceClasses.h"
#include "runtime/graph/GraphClasses.h"
#include "runtime/graph/MemAllocator.h"
#include "runtime/graph/TransportInformationFilter.h"

#include <atomic>
#include <cstdio>

namespace dvb {

namespace {

std::atomic<bool> g_installed{false};

const CLSID* const kMachineClasses[] = {
    &CLSID_MemoryAllocator,    &CLSID_FilterGraph,      &CLSID_SystemClock,         &CLSID_InfTee,
    &CLSID_MPEG2Demultiplexer, &CLSID_SystemDeviceEnum, &CLSID_SystemTuningSpaces,  &CLSID_DVBSTuningSpace,
    &CLSID_DVBSLocator,        &CLSID_DVBTuneRequest,   &CLSID_DVBSNetworkProvider,
};

std::filesystem::path ExecutableFolder()
{
    wchar_t buffer[4096];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, 4096);
    if (length == 0 || length >= 4096) return std::filesystem::current_path();
    return LocalPath(std::wstring_view(buffer, length)).parent_path();
}

// "Kavro N72 DVBS/S2 Tuner B" gives "Kavro N72 DVBS/S2 Capture B"; a name
// without "Tuner" gets " Capture" after it.
std::string CaptureName(std::string name)
{
    const auto at = name.find("Tuner");
    if (at == std::string::npos) return name + " Capture";
    return name.replace(at, 5, "Capture");
}

} // namespace

bool SatelliteFrontendPresent()
{
    std::vector<std::string> problems;
    return !FindSatelliteFrontends(&problems).empty();
}

std::unique_ptr<DvbMachine> InstallDvbMachine(DvbMachineOptions options)
{
    if (g_installed.exchange(true)) {
        std::fputs("Kavro-TScap: error: a machine is already installed\n", stderr);
        JournalWrite("dvb error " + JournalQuote("a machine is already installed"));
        return nullptr;
    }
    std::unique_ptr<DvbMachine> machine;
    try {
        machine.reset(new DvbMachine());
    } catch (...) {
        g_installed = false;
        throw;
    }
    machine->m_catalog = std::make_shared<runtime::DeviceCatalog>();
    runtime::RegisterMemAllocatorClass();
    runtime::RegisterGraphClasses();
    runtime::RegisterDeviceClasses(machine->m_catalog,
                                   options.tuningSpaceFile.empty() ? runtime::DefaultTuningSpaceFile()
                                                                   : options.tuningSpaceFile);
    machine->AddDevices(options.devicesFile.empty() ? ExecutableFolder() / "KavroDevices.ini" : options.devicesFile);
    return machine;
}

DvbMachine::~DvbMachine()
{
    {
        std::lock_guard guard(m_removal->lock);
        m_removal->handler = nullptr;
    }
    if (m_catalog) m_catalog->Clear();
    for (const CLSID* clsid : kMachineClasses) UnregisterComClass(*clsid);
    m_catalog.reset();
    g_installed = false;
    runtime::SimWriteExitLine();
}

void DvbMachine::SetDeviceRemovalHandler(std::function<void()> handler)
{
    std::lock_guard guard(m_removal->lock);
    m_removal->handler = std::move(handler);
}

void DvbMachine::Report(const std::string& text)
{
    m_problems.push_back(text);
    std::fprintf(stderr, "Kavro-TScap: warning: %s\n", text.c_str());
    JournalWrite("dvb warning " + JournalQuote(text));
}

void DvbMachine::AddDevices(const std::filesystem::path& devicesFile)
{
    DevicesFile names;
    // A pipe, device or folder is refused before anything is read, and the file
    // is small: a model name per frontend.
    std::string text;
    const WholeFileRead read = ReadWholeFile(devicesFile, 1 << 20, text);
    if (read == WholeFileRead::Read) {
        JournalWrite("dvb devices " + JournalQuote(devicesFile.string()));
        names = ParseDevicesFile(text);
        for (const std::string& warning : names.warnings) Report(devicesFile.filename().string() + " " + warning);
    } else if (read == WholeFileRead::Missing) {
        JournalWrite("dvb devices none");
    } else {
        JournalWrite("dvb devices none");
        Report(devicesFile.filename().string() + " " + WholeFileReadText(read));
    }
    std::vector<std::string> problems;
    m_frontends = FindSatelliteFrontends(&problems);
    for (const std::string& problem : problems) Report(problem);

    ULONG instance = 0;
    for (const FoundFrontend& found : m_frontends) {
        ++instance;
        const auto given = names.names.find(found.address.Section());
        const std::string name = given != names.names.end() ? given->second : found.driverName;
        JournalWrite("dvb frontend " + found.address.Section() + " " + JournalQuote(found.driverName) + " -> " +
                     JournalQuote(name));
        const DriverSet set = IsUsbModelName(name) ? DriverSet::Ctrl : DriverSet::Bda;

        DvbTunerFilterOptions tuner;
        tuner.name = FromUtf8(name);
        tuner.medium = instance;
        const FrontendAddress address = found.address;
        m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, tuner.name,
                             [address, set, tuner](IBaseFilter** filter) -> HRESULT {
                                 if (!filter) return E_POINTER;
                                 *filter = nullptr;
                                 std::string error;
                                 std::shared_ptr<DvbFrontend> frontend = DvbFrontend::Open(address, &error);
                                 if (!frontend) {
                                     JournalWrite("dvb error " + JournalQuote(error));
                                     return kDeviceGone;
                                 }
                                 auto device = std::make_shared<DvbTunerDevice>(std::move(frontend), set);
                                 return DvbTunerFilter::Create(device, tuner, filter);
                             });

        DvbCaptureFilterOptions capture;
        capture.name = FromUtf8(CaptureName(name));
        capture.medium = instance;
        capture.adapter = found.address;
        std::weak_ptr<Removal> removal = m_removal;
        capture.onDeviceGone = [removal] {
            const auto alive = removal.lock();
            if (!alive) return;
            std::function<void()> handler;
            {
                std::lock_guard guard(alive->lock);
                if (alive->fired) return;
                alive->fired = true;
                handler = alive->handler;
            }
            if (handler) handler();
        };
        m_catalog->AddDevice(KSCATEGORY_BDA_RECEIVER_COMPONENT, capture.name,
                             [capture](IBaseFilter** filter) { return DvbCaptureFilter::Create(capture, filter); });
    }
    m_catalog->AddDevice(KSCATEGORY_BDA_TRANSPORT_INFORMATION, std::wstring(L"BDA MPEG2 Transport Information Filter"),
                         &runtime::TransportInformationFilter::Create);
}

} // namespace dvb
