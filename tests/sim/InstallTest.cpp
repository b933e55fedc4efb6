// The installed machine as the program meets it: devices and classes as the
// world says, a graph built by hand from them (network provider, tuner,
// capture, tee, demultiplexer, transport information filter, and a receiver
// on the tee) that streams the tuned transponder at its bitrate on a clock
// the test moves, re-tunes, overruns, stops without a thread left behind,
// and leaves no object alive. World problems are reported, never fatal.
#include "sim/Install.h"

#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Journal.h"
#include "platform/com/OleAuto.h"
#include "platform/dshow/BdaInterfaces.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "platform/dshow/KsPropertySet.h"
#include "platform/dshow/TuningInterfaces.h"
#include "platform/driver/KavroProperties.h"
#include "runtime/LiveObjects.h"
#include "sim/tuner/UsefulBitrate.h"
#include "tests/sim/CaptureConsumer.h"
#include "tests/sim/tuner/ManualClock.h"
#include "tests/sim/tuner/TestSky.h"
#include "tests/sim/tuner/TsPacketCheck.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDir.h"
#include "tests/support/SimObjectCheck.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

// Two dual-card tuners on one cable: 19.2E on port A, 13.0E on port B.
std::string WorldText(const std::string& worldKeys = "", const std::string& tunerBKeys = "")
{
    return "[World]\nTuners=A,B\n" + worldKeys +
        "\n[Tuner.A]\nName=Kavro N72 DVBS/S2 Tuner A\n"
        "[Tuner.B]\nName=Kavro N72 DVBS/S2 Tuner B\n" +
        tunerBKeys + "\n[Cable.Home]\nPortA=sat 0192\nPortB=sat 0130\n";
}

// Packets due after ms at this bitrate, as the card counts them.
std::uint64_t PacketsDue(std::uint64_t bitrate, std::uint64_t ms)
{
    return (ms / 1000 * bitrate + ms % 1000 * bitrate / 1000) / 1504;
}

#ifndef _WIN32
// ffprobe, run by the POSIX shell, reads the stream as an outside decoder; the
// Linux build has both.
std::string RunFfprobe(const std::filesystem::path& file)
{
    const std::string command =
        "ffprobe -v error -show_entries program_tags=service_name -of default=noprint_wrappers=1 '" + file.string() +
        "' 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char line[512];
        while (fgets(line, sizeof line, pipe)) output += line;
        pclose(pipe);
    }
    return output;
}
#endif

// Sets a variable of the process's environment; null removes it.
void SetEnvironment(const char* name, const char* value)
{
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    if (value) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
#endif
}

// Creates an object of the class and says whether it is one of the simulated
// machine's. Where the machine has not registered the class, Linux has none
// (REGDB_E_CLASSNOTREG) and Windows may answer with its own.
HRESULT CreateObject(REFCLSID clsid, bool* simulated)
{
    const long before = runtime::SimLiveObjects();
    ComPtr<IUnknown> object;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
    *simulated = runtime::SimLiveObjects() > before;
    return hr;
}

IPin* FreePin(IBaseFilter* filter, PIN_DIRECTION direction)
{
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins))) return nullptr;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION dir{};
        ComPtr<IPin> peer;
        pin->QueryDirection(&dir);
        if (dir == direction && pin->ConnectedTo(&peer) == VFW_E_NOT_CONNECTED) return pin.Get(); // the filter holds it
    }
    return nullptr;
}

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        std::filesystem::create_directories(m_dir / "Transponders");
        TempDir::WriteFile(m_dir / "Transponders" / "0192.ini", kAstraFile);
        TempDir::WriteFile(m_dir / "Transponders" / "0130.ini", kHotbirdFile);
        UseJournal("journal.txt");
    }
    void TearDown() override
    {
        m_machine.reset();
        JournalClose();
        CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    void Install(const std::string& worldText)
    {
        sim::SimMachineOptions options;
        options.worldText = worldText;
        options.programDirectory = m_dir.path();
        options.tuningSpaceFile = m_dir / "TuningSpaces.ini";
        options.clock = m_clock;
        m_machine = sim::InstallSimulatedMachine(options);
        ASSERT_TRUE(m_machine);
    }

    // Journal lines go to a fresh file from now on.
    void UseJournal(const std::string& name)
    {
        m_journal = m_dir / name;
        JournalOpen(m_journal.string());
    }
    std::string Journal() const { return TempDir::ReadFile(m_journal); }
    bool WaitForJournal(const std::string& text) const
    {
        for (int i = 0; i < 2000; ++i) {
            if (Journal().find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    ComPtr<IEnumMoniker> Devices(REFGUID category, HRESULT expected = S_OK)
    {
        ComPtr<ICreateDevEnum> devices;
        EXPECT_HR(S_OK,
                  CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices)));
        ComPtr<IEnumMoniker> monikers;
        if (devices) {
            EXPECT_HR(expected, devices->CreateClassEnumerator(category, &monikers, 0));
        }
        return monikers;
    }

    // The friendly names of a category, "?" where a name cannot be read.
    std::vector<std::wstring> Names(REFGUID category)
    {
        std::vector<std::wstring> names;
        ComPtr<IEnumMoniker> monikers = Devices(category);
        ComPtr<IMoniker> moniker;
        while (monikers && monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
            ComPtr<IPropertyBag> bag;
            EXPECT_HR(S_OK, moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)));
            VARIANT name;
            VariantInit(&name);
            names.push_back(SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) ? BstrText(name.bstrVal) : L"?");
            VariantClear(&name);
        }
        return names;
    }

    ComPtr<IBaseFilter> Bind(REFGUID category, int index)
    {
        ComPtr<IEnumMoniker> monikers = Devices(category);
        ComPtr<IMoniker> moniker;
        for (int i = 0; monikers && monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK; ++i) {
            if (i < index) continue;
            ComPtr<IBaseFilter> filter;
            EXPECT_HR(S_OK, moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter)));
            return filter;
        }
        ADD_FAILURE() << "no device " << index;
        return {};
    }

    // A request the way the application builds one, universal LNB.
    ComPtr<ITuneRequest> Request(LONG frequencyMHz, LONG symbolRate, Polarisation polarisation)
    {
        ComPtr<IDVBSTuningSpace> space;
        EXPECT_HR(S_OK, CoCreateInstance(CLSID_DVBSTuningSpace, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&space)));
        space->put__NetworkType(CLSID_DVBSNetworkProvider);
        space->put_LNBSwitch(11700 * 1000);
        space->put_HighOscillator(10600 * 1000);
        space->put_LowOscillator(9750 * 1000);
        ComPtr<ITuneRequest> request;
        EXPECT_HR(S_OK, space->CreateTuneRequest(&request));
        ComPtr<IDVBSLocator> locator;
        EXPECT_HR(S_OK, CoCreateInstance(CLSID_DVBSLocator, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&locator)));
        locator->put_CarrierFrequency(frequencyMHz * 1000);
        locator->put_SignalPolarisation(polarisation);
        locator->put_SymbolRate(symbolRate);
        EXPECT_HR(S_OK, request->put_Locator(locator.Get()));
        return request;
    }

    // The graph the program builds, with a receiver on the tee in place of
    // the recorder's sink.
    struct Graph {
        ComPtr<IGraphBuilder> graph;
        ComPtr<IMediaControl> control;
        ComPtr<IBaseFilter> provider, tuner, capture, tee, demux, tif;
        ComPtr<ITuner> tuning;
        CaptureConsumer* consumer = nullptr;

        HRESULT Connect(IBaseFilter* from, IBaseFilter* to)
        {
            IPin* out = FreePin(from, PINDIR_OUTPUT);
            IPin* in = FreePin(to, PINDIR_INPUT);
            return out && in ? graph->Connect(out, in) : E_FAIL;
        }
        ~Graph()
        {
            if (control) control->Stop();
            tuning = nullptr;
            control = nullptr;
            provider = tuner = capture = tee = demux = tif = nullptr;
            graph = nullptr;
            if (consumer) consumer->Release();
        }
    };

    void Build(Graph& g, int tunerIndex)
    {
        ASSERT_HR(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&g.graph)));
        ASSERT_HR(S_OK, g.graph.QueryInterface(g.control));
        ASSERT_HR(
            S_OK,
            CoCreateInstance(CLSID_DVBSNetworkProvider, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&g.provider)));
        ASSERT_HR(S_OK, g.provider.QueryInterface(g.tuning));
        g.tuner = Bind(KSCATEGORY_BDA_NETWORK_TUNER, tunerIndex);
        g.capture = Bind(KSCATEGORY_BDA_RECEIVER_COMPONENT, tunerIndex);
        ASSERT_HR(S_OK, CoCreateInstance(CLSID_InfTee, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&g.tee)));
        ASSERT_HR(S_OK,
                  CoCreateInstance(CLSID_MPEG2Demultiplexer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&g.demux)));
        g.tif = Bind(KSCATEGORY_BDA_TRANSPORT_INFORMATION, 0);
        g.consumer = CaptureConsumer::Create();
        for (IBaseFilter* filter : {g.provider.Get(), g.tuner.Get(), g.capture.Get(), g.tee.Get(), g.demux.Get(),
                                    g.tif.Get(), static_cast<IBaseFilter*>(g.consumer)}) {
            ASSERT_TRUE(filter);
            ASSERT_TRUE(SUCCEEDED(g.graph->AddFilter(filter, nullptr)));
        }
        ASSERT_HR(S_OK, g.Connect(g.provider.Get(), g.tuner.Get()));
        ASSERT_HR(S_OK, g.Connect(g.tuner.Get(), g.capture.Get()));
        ASSERT_HR(S_OK, g.Connect(g.capture.Get(), g.tee.Get()));
        ASSERT_HR(S_OK, g.Connect(g.tee.Get(), g.demux.Get()));
        ASSERT_HR(S_OK, g.Connect(g.tee.Get(), g.consumer));
        ASSERT_HR(S_OK, g.Connect(g.demux.Get(), g.tif.Get()));
    }

    // Advances the clock step by step, and waits at each step for every
    // whole sample due.
    void Stream(Graph& g, std::uint64_t bitrate, std::int64_t fromMs, std::int64_t toMs, std::uint64_t bytesBefore = 0)
    {
        for (std::int64_t t = fromMs + 100; t <= toMs; t += 100) {
            m_clock->Advance(100);
            const std::uint64_t due = PacketsDue(bitrate, static_cast<std::uint64_t>(t));
            ASSERT_TRUE(g.consumer->WaitForBytes(bytesBefore + (due - (due >= 347 ? 347 : due)) * 188))
                << "at " << t << " ms";
            ASSERT_LE(g.consumer->Bytes(), bytesBefore + due * 188) << "never ahead of the clock";
        }
    }

    TempDir m_dir;
    std::filesystem::path m_journal;
    std::shared_ptr<ManualClock> m_clock = std::make_shared<ManualClock>();
    std::unique_ptr<sim::SimulatedMachine> m_machine;

private:
    SimObjectCheck m_live;
};

// 12187 H, DVB-S QPSK 3/4 at 27500 kS/s, "Das Erste" and "ZDF".
constexpr std::uint64_t kDasErsteRate = 38'014'706;

TEST_F(InstallTest, DevicesFollowTheWorld)
{
    Install("[World]\nTuners=A,B,C\n"
            "[Tuner.A]\nName=Kavro N71 DVBS/S2 Tuner\n"
            "[Tuner.B]\nKind=usb\n"
            "[Tuner.C]\nName=Kavro U31 DVBS2 Tuner\nCapture=0\n"
            "[Cable.Home]\nPortA=sat 0192\n");
    EXPECT_EQ(Names(KSCATEGORY_BDA_NETWORK_TUNER),
              (std::vector<std::wstring>{L"Kavro N71 DVBS/S2 Tuner", L"?", L"Kavro U31 DVBS2 Tuner"}));
    EXPECT_EQ(Names(KSCATEGORY_BDA_RECEIVER_COMPONENT),
              (std::vector<std::wstring>{L"Kavro N71 DVBS/S2 Capture", L"Kavro Capture B"}));
    EXPECT_EQ(Names(KSCATEGORY_BDA_TRANSPORT_INFORMATION),
              (std::vector<std::wstring>{L"BDA MPEG2 Transport Information Filter"}));
    EXPECT_TRUE(m_machine->Problems().empty());
    EXPECT_EQ(m_machine->Sky().Satellites().size(), 2u);
    const std::string journal = Journal();
    EXPECT_NE(journal.find("sim world text\n"), std::string::npos);
    EXPECT_NE(journal.find("sim sky " + JournalQuote((m_dir / "Transponders").string()) + " satellites=2\n"),
              std::string::npos)
        << journal;
}

TEST_F(InstallTest, WithoutAWorldFileTheDefaultWorldRunsOnTheShippedSky)
{
    SetEnvironment("KAVRO_SIM", nullptr);
    sim::SimMachineOptions options;
    options.programDirectory = KAVRO_BUILD_ROOT;
    options.tuningSpaceFile = m_dir / "TuningSpaces.ini";
    options.clock = m_clock;
    m_machine = sim::InstallSimulatedMachine(options);
    ASSERT_TRUE(m_machine);
    EXPECT_EQ(Names(KSCATEGORY_BDA_NETWORK_TUNER),
              (std::vector<std::wstring>{L"Kavro N71 DVBS/S2 Tuner", L"Kavro N72 DVBS/S2 Tuner A",
                                         L"Kavro N72 DVBS/S2 Tuner B", L"Kavro U31 DVBS2 Tuner"}));
    EXPECT_EQ(Names(KSCATEGORY_BDA_RECEIVER_COMPONENT).size(), 4u);
    EXPECT_TRUE(m_machine->Problems().empty());
    ASSERT_NE(m_machine->Sky().Find(192), nullptr) << "19.2E for port A";
    ASSERT_NE(m_machine->Sky().Find(130), nullptr) << "13.0E for port B";
    EXPECT_NE(Journal().find("sim world default\n"), std::string::npos);
}

TEST_F(InstallTest, EachTunerOffersWhatItsSectionSays)
{
    struct Case {
        const char* name;
        std::string keys; // of [Tuner.B]
        const wchar_t* inputPin;
        bool filterKs, pinKs, topology;
        HRESULT bdaMediaInfo;  // QuerySupported on the pin, BDA 12
        HRESULT ctrlProbe;     // QuerySupported on the filter, CTRL 1
        HRESULT bdaStreamType; // QuerySupported on the pin, BDA 13
    };
    const HRESULT notFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    const Case cases[] = {
        {"a PCI-E card", "", L"Input0", true, true, true, S_OK, notFound, S_OK},
        {"a USB box", "Kind=usb\n", L"Input0", true, true, true, notFound, S_OK, notFound},
        {"a property the world takes away", "BDA.13=unsupported\n", L"Input0", true, true, true, S_OK, notFound,
         notFound},
        {"another input pin name", "InputPin=Antenna In\n", L"Antenna In", true, true, true, S_OK, notFound, S_OK},
        {"no property set on the filter", "FilterKs=0\n", L"Input0", false, true, true, S_OK, notFound, S_OK},
        {"no property set on the pin", "PinKs=0\n", L"Input0", true, false, true, S_OK, notFound, S_OK},
        {"no topology", "Topology=0\n", L"Input0", true, true, false, S_OK, notFound, S_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Install(WorldText("", c.keys));
        ComPtr<IBaseFilter> tuner = Bind(KSCATEGORY_BDA_NETWORK_TUNER, 1);
        ASSERT_TRUE(tuner);
        ComPtr<IPin> input;
        ASSERT_HR(S_OK, tuner->FindPin(c.inputPin, &input));
        ComPtr<IKsPropertySet> onFilter, onPin;
        EXPECT_EQ(SUCCEEDED(tuner.QueryInterface(onFilter)), c.filterKs);
        EXPECT_EQ(SUCCEEDED(input.QueryInterface(onPin)), c.pinKs);
        ComPtr<IBDA_Topology> topology;
        EXPECT_EQ(SUCCEEDED(tuner.QueryInterface(topology)), c.topology);
        DWORD support = 0;
        if (onPin) {
            EXPECT_HR(c.bdaMediaInfo, onPin->QuerySupported(KSPROPSETID_BDA_EXTENSION, 12, &support));
            EXPECT_HR(c.bdaStreamType, onPin->QuerySupported(KSPROPSETID_BDA_EXTENSION, 13, &support));
        }
        if (onFilter) {
            EXPECT_HR(c.ctrlProbe, onFilter->QuerySupported(KSPROPSETID_CTRL_EXTENSION, 1, &support));
        }
        onFilter = onPin = nullptr;
        topology = nullptr;
        input = nullptr;
        tuner = nullptr;
        m_machine.reset();
    }
}

TEST_F(InstallTest, WorldRemovalsLeaveComponentsMissing)
{
    struct Case {
        const char* key;
        const CLSID* removedClass; // null: the transport information category empties
    };
    const Case cases[] = {
        {"Demultiplexer=0", &CLSID_MPEG2Demultiplexer},
        {"Tee=0", &CLSID_InfTee},
        {"NetworkProvider=0", &CLSID_DVBSNetworkProvider},
        {"TuningSpaceStore=0", &CLSID_SystemTuningSpaces},
        {"TransportInformation=0", nullptr},
    };
    const CLSID* removable[] = {&CLSID_MPEG2Demultiplexer, &CLSID_InfTee, &CLSID_DVBSNetworkProvider,
                                &CLSID_SystemTuningSpaces};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        Install(WorldText(std::string(c.key) + "\n"));
        for (const CLSID* clsid : removable) {
            bool simulated = false;
            const HRESULT hr = CreateObject(*clsid, &simulated);
            EXPECT_EQ(simulated, clsid != c.removedClass);
            EXPECT_EQ(IsComClassRegistered(*clsid), clsid != c.removedClass);
#ifdef _WIN32
            if (clsid != c.removedClass) {
                EXPECT_HR(S_OK, hr);
            }
#else
            EXPECT_HR(clsid == c.removedClass ? REGDB_E_CLASSNOTREG : S_OK, hr);
#endif
        }
        ComPtr<IEnumMoniker> tif = Devices(KSCATEGORY_BDA_TRANSPORT_INFORMATION, c.removedClass ? S_OK : S_FALSE);
        EXPECT_EQ(tif.Get() == nullptr, c.removedClass == nullptr);
        tif = nullptr;
        m_machine.reset();
    }
    // An uninstalled machine leaves no class behind.
    bool simulated = true;
    const HRESULT hr = CreateObject(CLSID_FilterGraph, &simulated);
    EXPECT_FALSE(simulated);
    EXPECT_FALSE(IsComClassRegistered(CLSID_FilterGraph));
#ifdef _WIN32
    (void)hr; // the system's own filter graph may answer
#else
    EXPECT_HR(REGDB_E_CLASSNOTREG, hr);
#endif
}

TEST_F(InstallTest, CaptureConnectsOnlyToItsOwnTuner)
{
    Install(WorldText("", "Capture=1\n"));
    ComPtr<IGraphBuilder> graph;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph)));
    ComPtr<IBaseFilter> tuner = Bind(KSCATEGORY_BDA_NETWORK_TUNER, 1);
    ComPtr<IBaseFilter> captureA = Bind(KSCATEGORY_BDA_RECEIVER_COMPONENT, 0);
    ComPtr<IBaseFilter> captureB = Bind(KSCATEGORY_BDA_RECEIVER_COMPONENT, 1);
    ASSERT_TRUE(tuner && captureA && captureB);
    for (IBaseFilter* filter : {tuner.Get(), captureA.Get(), captureB.Get()}) {
        ASSERT_TRUE(SUCCEEDED(graph->AddFilter(filter, nullptr)));
    }
    IPin* out = FreePin(tuner.Get(), PINDIR_OUTPUT);
    EXPECT_HR(VFW_E_NO_TRANSPORT, graph->Connect(out, FreePin(captureA.Get(), PINDIR_INPUT)))
        << "tuner A's capture filter refuses tuner B";
    EXPECT_HR(S_OK, graph->Connect(out, FreePin(captureB.Get(), PINDIR_INPUT)));
}

TEST_F(InstallTest, TunedGraphStreamsTheTransponderAtItsBitrate)
{
    Install(WorldText());
    {
        Graph g;
        Build(g, 1);
        ASSERT_HR(S_OK, g.tuning->put_TuneRequest(Request(12187, 27500, BDA_POLARISATION_LINEAR_H).Get()));
        ASSERT_HR(S_OK, g.control->Run());
        ASSERT_TRUE(WaitForJournal("capture stream \"Astra 1 (19.2E)\" freq=12187 pol=H isi=0 bitrate=38014706 "
                                   "output=ts\n"));
        Stream(g, kDasErsteRate, 0, 2000);
        ASSERT_HR(S_OK, g.control->Stop());
        EXPECT_EQ(g.consumer->ThreadsInside(), 0) << "Stop returned with a thread inside a filter";

        const std::uint64_t bytes = g.consumer->Bytes();
        m_clock->Advance(1000);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(g.consumer->Bytes(), bytes) << "nothing comes after Stop";
        EXPECT_NE(Journal().find("capture run bytes=0\ncapture stream"), std::string::npos);
        EXPECT_NE(Journal().find("graph stop\ncapture stop bytes=" + std::to_string(bytes) + "\n"), std::string::npos);

        // Samples of whole packets, full ones of 65424 bytes, numbered without a gap.
        const auto samples = g.consumer->Samples();
        ASSERT_GT(samples.size(), 100u);
        LONGLONG next = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(samples[i].length % 188, 0);
            EXPECT_LE(samples[i].length, 65424);
            EXPECT_EQ(samples[i].discontinuity, i == 0);
            EXPECT_EQ(samples[i].firstPacket, next);
            EXPECT_EQ(samples[i].endPacket - samples[i].firstPacket, samples[i].length / 188);
            next = samples[i].endPacket;
        }
        EXPECT_EQ(samples[1].length, 65424);

        const auto data = g.consumer->Data();
        PacketCheck check;
        for (std::size_t at = 0; at + 188 <= data.size(); at += 188) check.Feed(&data[at]);
        EXPECT_EQ(check.syncErrors, 0u);
        EXPECT_EQ(check.continuityErrors, 0u);
        EXPECT_EQ(check.badCrc, 0u);
#ifndef _WIN32
        TempDir::WriteFile(m_dir / "stream.ts", std::string(data.begin(), data.end()));
        const std::string probe = RunFfprobe(m_dir / "stream.ts");
        EXPECT_NE(probe.find("service_name=Das Erste"), std::string::npos) << probe;
        EXPECT_NE(probe.find("service_name=ZDF"), std::string::npos) << probe;
#endif

        // A second run goes on from the bytes delivered so far.
        ASSERT_HR(S_OK, g.control->Run());
        EXPECT_TRUE(WaitForJournal("capture run bytes=" + std::to_string(bytes) + "\n"));
    }
    m_machine.reset();
    EXPECT_EQ(runtime::SimLiveObjects(), 0);
    const std::string journal = Journal();
    const std::string last = "\nexit live_objects=0\n";
    ASSERT_GT(journal.size(), last.size());
    EXPECT_EQ(journal.substr(journal.size() - last.size()), last) << "the last line";
}

TEST_F(InstallTest, RetuningSwitchesTheStreamAtSampleBoundaries)
{
    Install(WorldText());
    Graph g;
    Build(g, 0);
    ASSERT_HR(S_OK, g.tuning->put_TuneRequest(Request(12187, 27500, BDA_POLARISATION_LINEAR_H).Get()));
    ASSERT_HR(S_OK, g.control->Run());
    ASSERT_TRUE(WaitForJournal("capture stream \"Astra 1 (19.2E)\" freq=12187"));
    Stream(g, kDasErsteRate, 0, 500);

    // The same transponder again: the stream goes on unbroken.
    ASSERT_HR(S_OK, g.tuning->put_TuneRequest(Request(12187, 27500, BDA_POLARISATION_LINEAR_H).Get()));
    Stream(g, kDasErsteRate, 500, 1000);

    // 11538 V, DVB-S 5/6 at 22000 kS/s.
    ASSERT_HR(S_OK, g.tuning->put_TuneRequest(Request(11538, 22000, BDA_POLARISATION_LINEAR_V).Get()));
    const std::uint64_t newRate = 33'790'850;
    ASSERT_TRUE(WaitForJournal("capture stream \"Astra 1 (19.2E)\" freq=11538 pol=V isi=0 bitrate=33790850"));
    const std::uint64_t switched = g.consumer->Bytes();
    EXPECT_EQ(switched, PacketsDue(kDasErsteRate, 1000) * 188) << "all that arrived before the re-tune came out";
    Stream(g, newRate, 0, 500, switched);
    ASSERT_HR(S_OK, g.control->Stop());

    const auto samples = g.consumer->Samples();
    const auto data = g.consumer->Data();
    PacketCheck before, after;
    std::size_t at = 0;
    int starts = 0;
    for (const auto& s : samples) {
        if (s.firstPacket == 0) ++starts;
        EXPECT_EQ(s.discontinuity, s.firstPacket == 0) << "only the first sample of each stream is marked";
        for (long i = 0; i < s.length; i += 188, at += 188) (starts == 1 ? before : after).Feed(&data[at]);
    }
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(before.packets * 188, switched);
    EXPECT_EQ(before.continuityErrors + after.continuityErrors, 0u);
    EXPECT_EQ(before.syncErrors + after.syncErrors, 0u);
    EXPECT_GT(after.packets, 0u);
}

TEST_F(InstallTest, AReceiverThatHoldsTheStreamMakesTheCardOverrun)
{
    Install(WorldText());
    Graph g;
    Build(g, 0);
    ASSERT_HR(S_OK, g.tuning->put_TuneRequest(Request(12187, 27500, BDA_POLARISATION_LINEAR_H).Get()));
    ASSERT_HR(S_OK, g.control->Run());
    ASSERT_TRUE(WaitForJournal("capture stream"));
    Stream(g, kDasErsteRate, 0, 200);

    g.consumer->HoldReceive();
    m_clock->Advance(100);
    ASSERT_TRUE(g.consumer->WaitUntilHeld());
    m_clock->Advance(1000); // the card holds 250 ms
    g.consumer->LetGo();
    ASSERT_TRUE(WaitForJournal("capture overrun packets="));
    const std::string journal = Journal();
    const std::uint64_t lost = std::stoull(journal.substr(journal.find("capture overrun packets=") + 24));
    // The rest of the card's buffer comes out, then the stream goes on.
    std::uint64_t due = 0;
    for (const std::int64_t t : {1300, 1400}) {
        if (t == 1400) m_clock->Advance(100);
        due = PacketsDue(kDasErsteRate, static_cast<std::uint64_t>(t));
        ASSERT_TRUE(g.consumer->WaitForBytes((due - lost - 347) * 188)) << "at " << t << " ms";
    }
    ASSERT_HR(S_OK, g.control->Stop());

    const auto samples = g.consumer->Samples();
    std::uint64_t received = 0;
    int gaps = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        received += static_cast<std::uint64_t>(samples[i].length / 188);
        if (i > 0 && samples[i].firstPacket != samples[i - 1].endPacket) {
            ++gaps;
            EXPECT_EQ(static_cast<std::uint64_t>(samples[i].firstPacket - samples[i - 1].endPacket), lost);
            EXPECT_TRUE(samples[i].discontinuity) << "the sample after the gap is marked";
        }
    }
    EXPECT_EQ(gaps, 1);
    // Every packet due was received, lost, or still in the card (less than a sample).
    EXPECT_LE(received + lost, due);
    EXPECT_GT(received + lost + 348, due);
    // The receiver held the first sample after 200 ms until 1300 ms; of
    // what came meanwhile the card kept its last 250 ms.
    const std::uint64_t span = PacketsDue(kDasErsteRate, 1100) - PacketsDue(kDasErsteRate, 250);
    EXPECT_GT(lost, span - 2 * 348);
    EXPECT_LE(lost, span);
}

TEST_F(InstallTest, WorldProblemsAreReportedAndNeverFatal)
{
    const auto broken = m_dir / "broken.ini";
    TempDir::WriteFile(broken,
                       "[World]\nTuners=A\nTee=maybe\n[Tuner.A]\nName=Kavro N71 DVBS/S2 Tuner\n"
                       "[Cable.Home]\nPortA=sat 0192\n");
    struct Case {
        const char* name;
        std::filesystem::path file;
        bool error;
        std::size_t tuners;
        const char* reported;
    };
    const Case cases[] = {
        {"a world file that is not there", m_dir / "missing.ini", true, 0, "missing.ini"},
        {"a value that cannot be read", broken, false, 1, "Tee=maybe"},
        {"a folder", m_dir / "folder.ini", true, 0, "folder.ini: not a regular file"},
#ifndef _WIN32
        // Read, these would block the program before any window, or fill its
        // memory. Named pipes and devices have no place in a Windows folder.
        {"a named pipe", m_dir / "pipe.ini", true, 0, "pipe.ini: not a regular file"},
        {"a link to an endless device", m_dir / "zero.ini", true, 0, "zero.ini: not a regular file"},
#endif
    };
    std::filesystem::create_directory(m_dir / "folder.ini");
#ifndef _WIN32
    ASSERT_EQ(0, ::mkfifo((m_dir / "pipe.ini").c_str(), 0600));
    std::filesystem::create_symlink("/dev/zero", m_dir / "zero.ini");
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimMachineOptions options;
        options.worldFile = c.file;
        options.programDirectory = m_dir.path();
        options.tuningSpaceFile = m_dir / "TuningSpaces.ini";
        options.clock = m_clock;
        m_machine = sim::InstallSimulatedMachine(options);
        ASSERT_TRUE(m_machine);
        ASSERT_EQ(m_machine->Problems().size(), 1u);
        EXPECT_NE(m_machine->Problems()[0].find(c.reported), std::string::npos) << m_machine->Problems()[0];
        EXPECT_EQ(m_machine->World().tuners.size(), c.tuners);
        EXPECT_TRUE(m_machine->World().tee) << "the default stays";
        const std::string line = std::string(c.error ? "sim error \"" : "sim warning \"");
        EXPECT_NE(Journal().find(line), std::string::npos);
        m_machine.reset();
    }

    // KAVRO_SIM names the file when the caller does not.
    SetEnvironment("KAVRO_SIM", broken.string().c_str());
    sim::SimMachineOptions options;
    options.programDirectory = m_dir / "nowhere";
    options.tuningSpaceFile = m_dir / "TuningSpaces.ini";
    options.clock = m_clock;
    m_machine = sim::InstallSimulatedMachine(options);
    SetEnvironment("KAVRO_SIM", nullptr);
    ASSERT_TRUE(m_machine);
    EXPECT_EQ(m_machine->World().tuners.size(), 1u);
    EXPECT_TRUE(m_machine->Sky().Satellites().empty()) << "a missing sky folder leaves an empty sky";
    EXPECT_EQ(m_machine->Problems().size(), 2u) << "the value and the sky folder";
    EXPECT_NE(Journal().find("sim world " + JournalQuote(broken.string()) + "\n"), std::string::npos);
}

TEST_F(InstallTest, OneMachineAtATime)
{
    Install(WorldText());
    sim::SimMachineOptions options;
    options.worldText = WorldText();
    EXPECT_EQ(sim::InstallSimulatedMachine(options), nullptr);
    EXPECT_NE(Journal().find("sim error \"a simulated machine is already installed\""), std::string::npos);
    ComPtr<IUnknown> graph;
    EXPECT_HR(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph)))
        << "the refused install left the first machine alone";
}

TEST_F(InstallTest, DeviceRemovalNoticeComesOnceItsTimeHasCome)
{
    struct Case {
        const char* name;
        bool handlerFirst;
    };
    const Case cases[] = {{"handler installed before the time", true}, {"handler installed after the time", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseJournal(std::string(c.handlerFirst ? "first" : "after") + ".txt");
        Install(WorldText("DeviceRemovalAfter=500\n"));
        std::atomic<int> notices{0};
        auto handler = [&notices] { ++notices; };
        if (c.handlerFirst) m_machine->SetDeviceRemovalHandler(handler);
        m_clock->Advance(499);
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        EXPECT_EQ(notices.load(), 0) << "the clock has not reached the time";
        m_clock->Advance(1);
        ASSERT_TRUE(WaitForJournal("sim device removal\n"));
        if (!c.handlerFirst) m_machine->SetDeviceRemovalHandler(handler);
        for (int i = 0; i < 2000 && notices.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(notices.load(), 1);
        m_machine->SetDeviceRemovalHandler(handler);
        EXPECT_EQ(notices.load(), 1) << "delivered once";
        m_machine.reset();
    }
}

} // namespace
