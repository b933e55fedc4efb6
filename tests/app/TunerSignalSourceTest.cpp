// The monitor's source over the process's tuner graph, against the simulated
// tuner filter: what a poll gives for each thing the tuner may lack, a locked
// poll, and the driver's media information read through m_pKsCtrl.
#include "app/TunerSignalSource.h"

#include "graph/TunerGraph.h"
#include "platform/com/ComPtr.h"
#include "sim/tuner/TunerFilter.h"
#include "tests/sim/tuner/ManualClock.h"
#include "tests/sim/tuner/TestSky.h"
#include "tests/support/ComAssert.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

class TunerSignalSourceTest : public ::testing::Test {
protected:
    TunerSignalSourceTest()
    {
        CableSpec cable;
        cable.ports[0] = PortSpec{PortKind::FixedLnb, 192};
        device = std::make_shared<TunerDevice>(sky, cable, Site{}, clock, PropertyModes(TunerKind::Pcie));
    }
    void TearDown() override
    {
        TunerGraph& record = TunerGraph::Process();
        record.m_pKsCtrl = nullptr;
        record.tuner = nullptr;
    }
    ComPtr<IBaseFilter> MakeTuner(const sim::TunerFilterOptions& options)
    {
        ComPtr<IBaseFilter> filter;
        EXPECT_HR(S_OK, sim::TunerFilter::Create(device, options, &filter));
        return filter;
    }
    void Tune(IBaseFilter* tuner)
    {
        ComPtr<runtime::ISimTuneTarget> target;
        ASSERT_HR(S_OK, tuner->QueryInterface(IID_PPV_ARGS(&target)));
        runtime::SimTuneRequest request;
        request.carrierFrequency = 11'494'000;
        request.symbolRate = 22000;
        request.polarisation = BDA_POLARISATION_LINEAR_H;
        request.lowOscillator = 9'750'000;
        request.highOscillator = 10'600'000;
        request.lnbSwitch = 11'700'000;
        ASSERT_HR(S_OK, target->ApplyTuneRequest(request));
    }

    Sky sky = TestSky();
    ManualClock clock;
    std::shared_ptr<TunerDevice> device;
    TunerSignalSource source;
};

TEST_F(TunerSignalSourceTest, PollCountsWhatTheTunerLacksAsNoSignal)
{
    struct Case {
        const char* name;
        bool tuner;
        bool topology;
        bool statistics;
        bool keepsRunning;
    };
    const Case cases[] = {
        {"no tuner", false, true, true, true},
        {"no broadcast topology: the monitor ends", true, false, true, false},
        {"a control node without statistics", true, true, false, true},
        {"a tuner not tuned", true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::TunerFilterOptions options;
        options.topology = c.topology;
        options.statistics = c.statistics;
        TunerGraph::Process().tuner = c.tuner ? MakeTuner(options) : ComPtr<IBaseFilter>();
        SignalSample sample;
        EXPECT_EQ(c.keepsRunning, source.PollStatistics(sample));
        EXPECT_NE(1, sample.locked);
        EXPECT_EQ(0, sample.quality);
        EXPECT_EQ(0, sample.strength);
        source.TouchGraphMutex();
    }
}

TEST_F(TunerSignalSourceTest, LockedTunerIsPolledAndDescribedByItsDriver)
{
    ComPtr<IBaseFilter> tuner = MakeTuner(sim::TunerFilterOptions{});
    Tune(tuner.Get());
    TunerGraph& record = TunerGraph::Process();
    record.tuner = tuner;
    EXPECT_FALSE(source.HasKsCtrl());

    SignalSample sample;
    ASSERT_TRUE(source.PollStatistics(sample));
    EXPECT_EQ(1, sample.locked);
    EXPECT_GT(sample.quality, 10);
    EXPECT_GT(sample.strength, 10);

    ComPtr<IPin> input;
    ASSERT_HR(S_OK, tuner->FindPin(L"Input0", &input));
    ASSERT_HR(S_OK, input->QueryInterface(IID_PPV_ARGS(&record.m_pKsCtrl)));
    ASSERT_TRUE(source.HasKsCtrl());
    EXPECT_FALSE(source.IsUsbTuner());
    ASSERT_HR(S_OK, source.QuerySupported(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_GET_MEDIAINFO));
    StreamInfo info{};
    ASSERT_HR(S_OK, source.Get(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_GET_MEDIAINFO, &info, sizeof(info)));
    EXPECT_EQ(22000000u, static_cast<std::uint32_t>(info.symbolRate));
    EXPECT_EQ(11494000u - 9750000u, static_cast<std::uint32_t>(info.ifFrequencyKhz)) << "the low band of the real LNB";
}

} // namespace
