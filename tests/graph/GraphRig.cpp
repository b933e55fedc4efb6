#include "tests/graph/GraphRig.h"

#include "graph/GraphMutex.h"
#include "graph/TunerGraph.h"
#include "graph/TunerGraphBuild.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/com/Sync.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "runtime/LiveObjects.h"
#include "runtime/devices/DeviceClasses.h"
#include "runtime/graph/GraphClasses.h"
#include "runtime/graph/MemAllocator.h"
#include "runtime/graph/TransportInformationFilter.h"
#include "tests/support/LogTexts.h"
#include "tests/support/ProcessState.h"

void GraphRig::SetUp()
{
    m_live.Start();
    ResetProcessState();
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    runtime::RegisterGraphClasses();
    runtime::RegisterMemAllocatorClass();
    runtime::RegisterDeviceClasses(m_catalog, m_drive / "TuningSpaces.ini");
    if (!graphMutex) {
        graphMutex = CreateMutexW(nullptr, FALSE, nullptr);
    }
    JournalOpen(m_journal.path().string());
}

void GraphRig::TearDown()
{
    ResetProcessState();
    CoUninitialize();
    m_live.ExpectNoneLeft();
}

void GraphRig::AddTuner(const std::wstring& name, const TestFilterSpec& spec)
{
    m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, name,
                         [spec](IBaseFilter** filter) { return CreateDeviceTestFilter(spec, filter); });
}

void GraphRig::AddCapture(const TestFilterSpec& spec)
{
    m_catalog->AddDevice(KSCATEGORY_BDA_RECEIVER_COMPONENT, L"Kavro Capture",
                         [spec](IBaseFilter** filter) { return CreateDeviceTestFilter(spec, filter); });
}

void GraphRig::AddTransportInformation()
{
    m_catalog->AddDevice(KSCATEGORY_BDA_TRANSPORT_INFORMATION, L"BDA MPEG2 Transport Information Filter",
                         [](IBaseFilter** filter) { return runtime::TransportInformationFilter::Create(filter); });
}

void GraphRig::AddStandardDevices(const std::wstring& tunerName)
{
    AddTuner(tunerName);
    AddCapture();
    AddTransportInformation();
    Choose(0, tunerName);
}

void GraphRig::Choose(int index, const std::wstring& name)
{
    deviceIndex = index;
    deviceName = name;
}

std::vector<std::string> GraphRig::NewJournal(std::string_view prefix) { return m_journal.Next(prefix); }

std::vector<std::string> GraphRig::LogTexts() const { return DriveLogTexts(m_drive.path()); }

long GraphRig::ExtraLiveObjects() const { return m_live.Extra(); }

std::string GraphRig::PresentFields()
{
    const TunerGraph& record = TunerGraph::Process();
    const std::pair<const char*, bool> fields[] = {
        {"graph", bool(record.graph)},
        {"mediaControl", bool(record.mediaControl)},
        {"networkProvider", bool(record.networkProvider)},
        {"tuningSpace", bool(record.tuningSpace)},
        {"tuner", bool(record.tuner)},
        {"capture", bool(record.capture)},
        {"demultiplexer", bool(record.demultiplexer)},
        {"tee", bool(record.tee)},
        {"transportInformation", bool(record.transportInformation)},
        {"sink", bool(record.sink)},
        {"m_pKsCtrl", bool(record.m_pKsCtrl)},
    };
    std::string present;
    for (const auto& [name, set] : fields) {
        if (set) {
            present += present.empty() ? name : std::string(" ") + name;
        }
    }
    return present;
}
