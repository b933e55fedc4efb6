// The DVB-S network provider: its output reaches a tuner's input, and a tune
// request arrives at the tuner with the values the application put into the
// request, its locator and its tuning space; without a tuner behind it the
// submission fails. Each hand-over leaves its journal line.
#include "runtime/devices/NetworkProvider.h"

#include "filterbase/CBaseInputPin.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Journal.h"
#include "platform/dshow/BdaInterfaces.h"
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "runtime/devices/DeviceClasses.h"
#include "runtime/graph/GraphClasses.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDir.h"
#include "tests/support/SimObjectCheck.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const CLSID kTunerClass = GuidLiteral("{7B0C6D2E-1F3A-4B5C-9D8E-0F1A2B3C4D5E}");

class TestTuner;

class TestTunerInput final : public CBaseInputPin {
public:
    TestTunerInput(CBaseFilter* filter, CCritSec* lock) : CBaseInputPin(L"tuner input", filter, lock, L"Input0") {}
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override
    {
        return pmt->majortype == KSDATAFORMAT_TYPE_BDA_ANTENNA ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int position, MediaTypeValue*) override
    {
        return position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
    }
    STDMETHODIMP Receive(IMediaSample*) override { return E_UNEXPECTED; }
    STDMETHODIMP ReceiveCanBlock() override { return S_FALSE; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }
    STDMETHODIMP QueryInternalConnections(IPin**, ULONG* nPin) override
    {
        *nPin = 0;
        return S_OK;
    }
};

// A tuner that records the requests it receives and answers as told.
class TestTuner final : public CBaseFilter, public runtime::ISimTuneTarget {
public:
    static TestTuner* Create(bool canTune)
    {
        auto* tuner = new TestTuner(canTune);
        tuner->NonDelegatingAddRef();
        return tuner;
    }
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv && riid == runtime::IID_ISimTuneTarget && m_canTune)
            return GetInterface(static_cast<runtime::ISimTuneTarget*>(this), ppv);
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_input.get() : nullptr; }
    STDMETHODIMP ApplyTuneRequest(const runtime::SimTuneRequest& request) override
    {
        m_received = request;
        return answer;
    }
    IPin* Input() { return m_input.get(); }

    HRESULT answer = S_OK;
    std::optional<runtime::SimTuneRequest> m_received;

private:
    explicit TestTuner(bool canTune) : CBaseFilter(L"test tuner", nullptr, &m_lock, kTunerClass), m_canTune(canTune)
    {
        m_input = std::make_unique<TestTunerInput>(this, &m_lock);
    }
    CCritSec m_lock;
    std::unique_ptr<TestTunerInput> m_input;
    const bool m_canTune;
};

class NetworkProviderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        runtime::RegisterGraphClasses();
        runtime::RegisterDeviceClasses(std::make_shared<runtime::DeviceCatalog>(), m_dir / "TuningSpaces.ini");
        ASSERT_HR(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_graph)));
        ASSERT_HR(
            S_OK,
            CoCreateInstance(CLSID_DVBSNetworkProvider, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_provider)));
        ASSERT_HR(S_OK, m_provider.QueryInterface(m_tuner));
        ASSERT_HR(S_OK, m_graph->AddFilter(m_provider.Get(), L"Network DVBS Provider"));
    }
    void TearDown() override
    {
        m_tuner = nullptr;
        m_provider = nullptr;
        m_graph = nullptr;
        JournalClose();
        ClearComClassRegistry();
        CoUninitialize();
        m_live.ExpectNoneLeft();
    }

    // A request the way the application builds one: LNB values on the
    // space, carrier, polarisation and symbol rate on a new locator.
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
        locator->put_OuterFEC(BDA_FEC_VITERBI);
        locator->put_CarrierFrequency(frequencyMHz * 1000);
        locator->put_SignalPolarisation(polarisation);
        locator->put_SymbolRate(symbolRate);
        EXPECT_HR(S_OK, request->put_Locator(locator.Get()));
        return request;
    }

    TempDir m_dir;
    ComPtr<IGraphBuilder> m_graph;
    ComPtr<IBaseFilter> m_provider;
    ComPtr<ITuner> m_tuner;

private:
    SimObjectCheck m_live;
};

TEST_F(NetworkProviderTest, RequestReachesTheConnectedTunerWithItsValues)
{
    TestTuner* tuner = TestTuner::Create(true);
    ASSERT_HR(S_OK, m_graph->AddFilter(tuner, nullptr));
    ComPtr<IPin> antenna;
    ASSERT_HR(S_OK, m_provider->FindPin(L"Antenna Out", &antenna));
    ASSERT_HR(S_OK, m_graph->Connect(antenna.Get(), tuner->Input()));

    const auto file = m_dir / "journal.txt";
    JournalOpen(file.string());
    struct Case {
        const char* name;
        LONG frequency;
        LONG symbolRate;
        Polarisation polarisation;
        HRESULT answer;
        std::string line;
    };
    const Case cases[] = {
        {"horizontal", 11778, 27500, BDA_POLARISATION_LINEAR_H, S_OK,
         "tune freq=11778000 sr=27500 pol=1 lnb_low=9750000 lnb_high=10600000 lnb_switch=11700000 -> 0x00000000"},
        {"vertical, tuner refuses", 12188, 27500, BDA_POLARISATION_LINEAR_V, E_FAIL,
         "tune freq=12188000 sr=27500 pol=2 lnb_low=9750000 lnb_high=10600000 lnb_switch=11700000 -> 0x80004005"},
    };
    std::string journal;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tuner->answer = c.answer;
        EXPECT_HR(c.answer, m_tuner->put_TuneRequest(Request(c.frequency, c.symbolRate, c.polarisation).Get()));
        ASSERT_TRUE(tuner->m_received.has_value());
        EXPECT_EQ(c.frequency * 1000, tuner->m_received->carrierFrequency);
        EXPECT_EQ(c.symbolRate, tuner->m_received->symbolRate);
        EXPECT_EQ(c.polarisation, tuner->m_received->polarisation);
        EXPECT_EQ(BDA_FEC_VITERBI, tuner->m_received->outerFEC);
        EXPECT_EQ(9750000, tuner->m_received->lowOscillator);
        journal += c.line + "\n";
    }
    JournalClose();
    EXPECT_EQ(journal, TempDir::ReadFile(file));
    ComPtr<ITuneRequest> current;
    EXPECT_HR(S_OK, m_tuner->get_TuneRequest(&current)) << "the accepted request stays current";
    tuner->Release();
}

TEST_F(NetworkProviderTest, SubmissionFailsWithoutATunerBehindTheProvider)
{
    EXPECT_HR(VFW_E_NOT_CONNECTED, m_tuner->put_TuneRequest(Request(11778, 27500, BDA_POLARISATION_LINEAR_H).Get()));
    EXPECT_HR(E_POINTER, m_tuner->put_TuneRequest(nullptr));

    TestTuner* deaf = TestTuner::Create(false);
    ASSERT_HR(S_OK, m_graph->AddFilter(deaf, nullptr));
    ComPtr<IPin> antenna;
    ASSERT_HR(S_OK, m_provider->FindPin(L"Antenna Out", &antenna));
    ASSERT_HR(S_OK, m_graph->Connect(antenna.Get(), deaf->Input()));
    EXPECT_HR(E_NOINTERFACE, m_tuner->put_TuneRequest(Request(11778, 27500, BDA_POLARISATION_LINEAR_H).Get()));
    ComPtr<ITuneRequest> current;
    EXPECT_HR(S_FALSE, m_tuner->get_TuneRequest(&current)) << "a refused request does not become current";
    deaf->Release();
}

TEST_F(NetworkProviderTest, EmptyRequestIsKeptWithoutTuning)
{
    ComPtr<ITuningSpace> space;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_DVBSTuningSpace, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&space)));
    ComPtr<ITuneRequest> empty;
    ASSERT_HR(S_OK, space->CreateTuneRequest(&empty));
    EXPECT_HR(S_OK, m_tuner->put_TuningSpace(space.Get()));
    EXPECT_HR(S_OK, m_tuner->put_TuneRequest(empty.Get()));
    EXPECT_HR(E_INVALIDARG, m_tuner->Validate(empty.Get()));
    ComPtr<ITuningSpace> back;
    EXPECT_HR(S_OK, m_tuner->get_TuningSpace(&back));
    EXPECT_EQ(space.Get(), back.Get());
}

} // namespace
