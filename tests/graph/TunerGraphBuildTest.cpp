// Building the tuner's graph into the process record and tearing it down:
// every result code with its message boxes and log lines, the graph as the
// journal saw it, and nothing left alive afterwards.
#include "graph/TunerGraphBuild.h"

#include "graph/GraphMutex.h"
#include "graph/KsControl.h"
#include "graph/TunerGraph.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Sync.h"
#include "platform/com/Tick.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "platform/dshow/TuningInterfaces.h"
#include "tests/graph/GraphRig.h"
#include "tests/support/ComAssert.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

const std::wstring kTunerB = L"Kavro N72 DVBS/S2 Tuner B";
const std::string kTunerLog = "BDA Device Name: [Kavro N72 DVBS/S2 Tuner B]      (Tuner Type:1)";
const std::string kNoProviderConnection = "FAILED: cannot connect network provider to tuner filter";
const std::string kNoCapture = "WARNING: cannot create capture filter";
const std::string kAllObjects =
    "graph mediaControl networkProvider tuningSpace tuner capture demultiplexer tee transportInformation sink";

std::wstring FilterName(IBaseFilter* filter)
{
    FILTER_INFO info{};
    if (!filter || FAILED(filter->QueryFilterInfo(&info))) {
        return L"(none)";
    }
    if (info.pGraph) info.pGraph->Release();
    return info.achName;
}

class TunerGraphBuildTest : public GraphRig {};

TEST_F(TunerGraphBuildTest, FullBuildConnectsEverythingInOrderAndTheReleaseLeavesNothing)
{
    AddStandardDevices(kTunerB);
    ASSERT_EQ(BUILD_OK, BuildTunerGraph(0, deviceName, nullptr));

    const std::vector<std::string> build = {
        "graph add \"Network DVBS Provider\"",
        "graph add \"0001\"",
        "graph connect \"Network DVBS Provider\":\"Antenna Out\" -> \"0001\":\"Input0\" -> 0x00000000",
        "graph add \"0002\"",
        "graph connect \"0001\":\"MPEG2 Transport\" -> \"0002\":\"Input\" -> 0x00000000",
        "graph add \"MPEG2 Demultiplexer\"",
        "graph add \"Infinite pin tee splitter\"",
        "graph add \"transport information filter\"",
        "graph add \"Dest Filter\"",
        "graph connect \"0002\":\"Output\" -> \"Infinite pin tee splitter\":\"Input\" -> 0x00000000",
        "graph connect \"Infinite pin tee splitter\":\"Output1\" -> \"MPEG2 Demultiplexer\":\"MPEG-2 Stream\" -> "
        "0x00000000",
        "graph connect \"Infinite pin tee splitter\":\"Output2\" -> \"Dest Filter\":\"Input\" -> 0x00000000",
        "graph connect \"MPEG2 Demultiplexer\":\"1\" -> \"transport information filter\":\"Input\" -> 0x00000000",
    };
    EXPECT_EQ(build, NewJournal("graph "));
    EXPECT_EQ(kAllObjects, PresentFields());
    EXPECT_EQ(DEVICE_TYPE_N72_TUNER_B, TunerGraph::Process().deviceType);
    EXPECT_EQ(L"0002", FilterName(TunerGraph::Process().capture.Get()));
    EXPECT_EQ(std::vector<std::string>{kTunerLog}, LogTexts());
    EXPECT_TRUE(m_messages.Texts().empty());

    ReleaseTunerGraph();
    const std::vector<std::string> release = {
        "graph stop",
        "graph remove \"0002\"",
        "graph remove \"Network DVBS Provider\"",
        "graph remove \"Dest Filter\"",
        "graph remove \"0001\"",
    };
    EXPECT_EQ(release, NewJournal("graph "));
    EXPECT_EQ("", PresentFields());
    EXPECT_EQ(0, ExtraLiveObjects());
}

TEST_F(TunerGraphBuildTest, ModelComesFromTheChosenNameNotTheBoundDevice)
{
    AddStandardDevices(L"Kavro U31 DVBS2 Tuner");
    Choose(0, L"kavro n71 dvbs/s2 tuner");
    ASSERT_EQ(BUILD_OK, BuildTunerGraph(0, deviceName, nullptr));
    EXPECT_EQ(DEVICE_TYPE_UNSUPPORTED, TunerGraph::Process().deviceType);
    EXPECT_EQ(std::vector<std::string>{"BDA Device Name: [Kavro U31 DVBS2 Tuner]      (Tuner Type:1)"}, LogTexts());
}

struct BuildCase {
    const char* name;
    std::function<void(GraphRig&)> arrange;
    int expected;
    std::vector<std::wstring> messages;
    std::vector<std::string> log;
    std::string present; // the record's fields set after the build
    LONG deviceType;
};

void PrintTo(const BuildCase& c, std::ostream* os) { *os << c.name; }

class BuildResultTest : public GraphRig, public ::testing::WithParamInterface<BuildCase> {};

TEST_P(BuildResultTest, ResultMessagesLogAndWhatRemains)
{
    const BuildCase& c = GetParam();
    c.arrange(*this);
    EXPECT_EQ(c.expected, BuildTunerGraph(deviceIndex, deviceName, nullptr));
    EXPECT_EQ(c.messages, m_messages.Texts());
    EXPECT_EQ(c.log, LogTexts());
    EXPECT_EQ(c.present, PresentFields());
    EXPECT_EQ(c.deviceType, TunerGraph::Process().deviceType);

    ReleaseTunerGraph();
    EXPECT_EQ("", PresentFields());
    EXPECT_EQ(0, ExtraLiveObjects());
}

void Standard(GraphRig& world) { world.AddStandardDevices(kTunerB); }

std::function<void(GraphRig&)> StandardWithout(REFCLSID clsid)
{
    const CLSID removed = clsid;
    return [removed](GraphRig& world) {
        world.AddStandardDevices(kTunerB);
#ifdef _WIN32
        // Windows answers for some classes with its own (the filter graph): the class
        // is replaced by one that cannot be made.
        RegisterComClass(removed, [](IUnknown*, REFIID, void** ppv) {
            *ppv = nullptr;
            return REGDB_E_CLASSNOTREG;
        });
#else
        UnregisterComClass(removed);
#endif
    };
}

const std::string kUpToCapture = "graph mediaControl networkProvider tuningSpace tuner capture";

const BuildCase kBuildCases[] = {
    {"NoDeviceChosen",
     [](GraphRig& world) {
         Standard(world);
         world.Choose(-1, L"");
     },
     BUILD_OK,
     {},
     {},
     "",
     DEVICE_TYPE_UNSUPPORTED},
    {"NoNetworkProviderClass",
     StandardWithout(CLSID_DVBSNetworkProvider),
     BUILD_OK,
     {L"error: CreateDVBSNetworkProvider Failed"},
     {},
     "graph mediaControl tuningSpace",
     DEVICE_TYPE_UNSUPPORTED},
    {"NoTuningSpaceStore",
     StandardWithout(CLSID_SystemTuningSpaces),
     BUILD_OK,
     {L"error: CreateDVBSNetworkProvider Failed"},
     {},
     "graph mediaControl",
     DEVICE_TYPE_UNSUPPORTED},
    {"NoGraphManager",
     StandardWithout(CLSID_FilterGraph),
     BUILD_NO_PROVIDER_CONNECTION,
     {L"error: CreateTunerDevice Failed"},
     {kTunerLog, "FAILED: Cannot add the filter to the graph", kNoProviderConnection},
     "tuningSpace",
     DEVICE_TYPE_N72_TUNER_B},
    {"TunerIndexBeyondTheList",
     [](GraphRig& world) {
         Standard(world);
         world.Choose(1, L"Kavro N72 DVBS/S2 Tuner A");
     },
     BUILD_NO_PROVIDER_CONNECTION,
     {L"error: CreateTunerDevice Failed"},
     {kNoProviderConnection},
     "tuningSpace",
     DEVICE_TYPE_N72_TUNER_A},
    {"TunerThatDoesNotBind",
     [](GraphRig& world) {
         world.m_catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, kTunerB, [](IBaseFilter** filter) {
             *filter = nullptr;
             return E_OUTOFMEMORY;
         });
         world.AddCapture();
         world.AddTransportInformation();
         world.Choose(0, kTunerB);
     },
     BUILD_NO_PROVIDER_CONNECTION,
     {L"error: CreateTunerDevice Failed"},
     {kNoProviderConnection},
     "tuningSpace",
     DEVICE_TYPE_N72_TUNER_B},
    {"TunerWithoutAntennaInput",
     [](GraphRig& world) {
         world.AddTuner(kTunerB, {{DeafInput(L"Input0"), StreamOutput(L"MPEG2 Transport")}, std::nullopt, true});
         world.AddCapture();
         world.AddTransportInformation();
         world.Choose(0, kTunerB);
     },
     BUILD_NO_PROVIDER_CONNECTION,
     {},
     {kTunerLog, kNoProviderConnection},
     "tuningSpace",
     DEVICE_TYPE_N72_TUNER_B},
    {"NoReceiverComponent",
     [](GraphRig& world) {
         world.AddTuner(kTunerB);
         world.AddTransportInformation();
         world.Choose(0, kTunerB);
     },
     BUILD_NO_CAPTURE,
     {},
     {kTunerLog, kNoCapture},
     "tuningSpace",
     DEVICE_TYPE_N72_TUNER_B},
    {"ReceiverThatDoesNotConnect",
     [](GraphRig& world) {
         world.AddTuner(kTunerB);
         world.AddCapture(DeafCaptureSpec());
         world.AddTransportInformation();
         world.Choose(0, kTunerB);
     },
     BUILD_NO_CAPTURE,
     {},
     {kTunerLog, kNoCapture},
     "tuningSpace",
     DEVICE_TYPE_N72_TUNER_B},
    {"NoDemultiplexer",
     StandardWithout(CLSID_MPEG2Demultiplexer),
     BUILD_NO_DEMULTIPLEXER,
     {L"error: CreateMPEG2Demultiplexer Failed"},
     {kTunerLog},
     kUpToCapture,
     DEVICE_TYPE_N72_TUNER_B},
    {"NoTee",
     StandardWithout(CLSID_InfTee),
     BUILD_NO_TEE,
     {L"error: CreateInfinitePinTee Failed"},
     {kTunerLog},
     kUpToCapture + " demultiplexer",
     DEVICE_TYPE_N72_TUNER_B},
    {"NoTransportInformationFilter",
     [](GraphRig& world) {
         world.AddTuner(kTunerB);
         world.AddCapture();
         world.Choose(0, kTunerB);
     },
     BUILD_NO_TRANSPORT_INFORMATION,
     {L"error: No transport information filter found"},
     {kTunerLog},
     kUpToCapture + " demultiplexer tee",
     DEVICE_TYPE_N72_TUNER_B},
};

INSTANTIATE_TEST_SUITE_P(Cases, BuildResultTest, ::testing::ValuesIn(kBuildCases),
                         [](const ::testing::TestParamInfo<BuildCase>& info) { return std::string(info.param.name); });

TEST_F(TunerGraphBuildTest, ProviderThatDoesNotConnectTearsTheGraphDown)
{
    AddTuner(kTunerB, {{DeafInput(L"Input0"), StreamOutput(L"MPEG2 Transport")}, std::nullopt, true});
    AddCapture();
    AddTransportInformation();
    Choose(0, kTunerB);
    ASSERT_EQ(BUILD_NO_PROVIDER_CONNECTION, BuildTunerGraph(0, deviceName, nullptr));

    const std::vector<std::string> journal = NewJournal("graph ");
    ASSERT_EQ(6u, journal.size());
    EXPECT_EQ("graph add \"Network DVBS Provider\"", journal[0]);
    EXPECT_EQ("graph add \"0001\"", journal[1]);
    EXPECT_EQ(
        0u,
        journal[2].rfind("graph connect \"Network DVBS Provider\":\"Antenna Out\" -> \"0001\":\"Input0\" -> 0x8", 0))
        << journal[2];
    EXPECT_EQ("graph stop", journal[3]);
    EXPECT_EQ("graph remove \"Network DVBS Provider\"", journal[4]);
    EXPECT_EQ("graph remove \"0001\"", journal[5]);
    EXPECT_EQ("tuningSpace", PresentFields());
}

TEST_F(TunerGraphBuildTest, MissingTransportInformationLeavesDemultiplexerAndTeeUnconnected)
{
    AddTuner(kTunerB);
    AddCapture();
    Choose(0, kTunerB);
    ASSERT_EQ(BUILD_NO_TRANSPORT_INFORMATION, BuildTunerGraph(0, deviceName, nullptr));
    const std::vector<std::string> expected = {
        "graph add \"Network DVBS Provider\"",
        "graph add \"0001\"",
        "graph connect \"Network DVBS Provider\":\"Antenna Out\" -> \"0001\":\"Input0\" -> 0x00000000",
        "graph add \"0002\"",
        "graph connect \"0001\":\"MPEG2 Transport\" -> \"0002\":\"Input\" -> 0x00000000",
        "graph add \"MPEG2 Demultiplexer\"",
        "graph add \"Infinite pin tee splitter\"",
    };
    EXPECT_EQ(expected, NewJournal("graph "));
}

TEST_F(TunerGraphBuildTest, OfTwoReceiversOnlyTheSecondConnects)
{
    AddTuner(kTunerB);
    AddCapture(DeafCaptureSpec());
    AddCapture();
    AddTransportInformation();
    Choose(0, kTunerB);
    ASSERT_EQ(BUILD_OK, BuildTunerGraph(0, deviceName, nullptr));

    const TunerGraph& record = TunerGraph::Process();
    EXPECT_EQ(L"0003", FilterName(record.capture.Get()));
    ComPtr<IBaseFilter> first;
    ASSERT_HR(S_OK, record.graph->FindFilterByName(L"0002", &first));
    ComPtr<IEnumPins> pins;
    ASSERT_HR(S_OK, first->EnumPins(&pins));
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        ComPtr<IPin> peer;
        EXPECT_HR(VFW_E_NOT_CONNECTED, pin->ConnectedTo(&peer)) << "the first receiver stays unconnected";
    }
    const std::vector<std::string> journal = NewJournal("graph ");
    ASSERT_GE(journal.size(), 6u);
    EXPECT_EQ("graph add \"0002\"", journal[3]);
    EXPECT_EQ(0u, journal[4].rfind("graph connect \"0001\":\"MPEG2 Transport\" -> \"0002\":\"Input\" -> 0x8", 0))
        << journal[4];
    EXPECT_EQ("graph add \"0003\"", journal[5]);
    EXPECT_EQ("graph connect \"0001\":\"MPEG2 Transport\" -> \"0003\":\"Input\" -> 0x00000000", journal[6]);
}

TEST_F(TunerGraphBuildTest, TheReleaseLetsTheDriverInterfaceGoOnlyUnderTheGraphMutex)
{
    const KsAnswer pin{"pin", KSPROPSETID_BDA_EXTENSION, nullptr};
    AddTuner(kTunerB, TunerSpec(KsAnswer{"filter", std::nullopt, nullptr}, pin));
    AddCapture();
    AddTransportInformation();
    Choose(0, kTunerB);
    ASSERT_EQ(BUILD_OK, BuildTunerGraph(0, deviceName, nullptr));
    ComPtr<IPin> input;
    ASSERT_EQ(KsCtrlPath::Pci, ObtainKsCtrl(TunerGraph::Process().tuner.Get(), nullptr, input));
    input = nullptr;

    // Another thread holds the mutex: the release must wait for it.
    std::atomic<bool> held{false};
    std::atomic<bool> letGo{false};
    std::thread holder([&] {
        WaitForSingleObject(graphMutex, INFINITE);
        held = true;
        while (!letGo) {
            Sleep(1);
        }
        ReleaseMutex(graphMutex);
    });
    while (!held) {
        Sleep(1);
    }
    std::atomic<bool> released{false};
    std::thread releaser([&] {
        ReleaseTunerGraph();
        released = true;
    });
    Sleep(50);
    EXPECT_FALSE(released) << "released while another thread held graphMutex";
    letGo = true;
    holder.join();
    releaser.join();
    EXPECT_EQ("", PresentFields());
}

} // namespace
