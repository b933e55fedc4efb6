#include "sim/tuner/TunerFilter.h"

#include "platform/com/ComPtr.h"
#include "platform/com/InterfaceId.h"
#include "platform/driver/KavroProperties.h"
#include "runtime/LiveObjects.h"
#include "tests/sim/tuner/ManualClock.h"
#include "tests/sim/tuner/TestSky.h"
#include "tests/support/ComAssert.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

struct Rig {
    Sky sky = TestSky();
    ManualClock clock;
    std::shared_ptr<TunerDevice> device;

    explicit Rig(TunerKind kind)
    {
        CableSpec cable;
        cable.ports[0] = PortSpec{PortKind::FixedLnb, 192};
        device = std::make_shared<TunerDevice>(sky, cable, Site{}, clock, PropertyModes(kind));
    }
};

ComPtr<IBaseFilter> MakeFilter(const Rig& rig, const sim::TunerFilterOptions& options)
{
    ComPtr<IBaseFilter> filter;
    EXPECT_HR(S_OK, sim::TunerFilter::Create(rig.device, options, &filter));
    return filter;
}

TEST(TunerFilter, OffersWhatTheWorldAllows)
{
    struct Case {
        const char* name;
        sim::TunerFilterOptions options;
        bool filterKs, pinKs, topology, statistics;
    };
    auto with = [](auto change) {
        sim::TunerFilterOptions o;
        change(o);
        return o;
    };
    const Case cases[] = {
        {"everything", sim::TunerFilterOptions{}, true, true, true, true},
        {"no filter property set", with([](auto& o) { o.filterKs = false; }), false, true, true, true},
        {"no pin property set", with([](auto& o) { o.pinKs = false; }), true, false, true, true},
        {"no topology", with([](auto& o) { o.topology = false; }), true, true, false, false},
        {"a node without statistics", with([](auto& o) { o.statistics = false; }), true, true, true, false},
    };
    const long liveBefore = runtime::SimLiveObjects();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(TunerKind::Pcie);
        auto filter = MakeFilter(rig, c.options);
        ASSERT_TRUE(filter.Get());
        expectInterface(filter.Get(), IID_IKsPropertySet, c.filterKs);
        expectInterface(filter.Get(), uuidof<IBDA_Topology>(), c.topology);
        expectInterface(filter.Get(), runtime::IID_ISimTuneTarget, true);

        ComPtr<IPin> input;
        ASSERT_HR(S_OK, filter->FindPin(L"Input0", &input));
        expectInterface(input.Get(), IID_IKsPropertySet, c.pinKs);

        ComPtr<IBDA_Topology> topology;
        if (SUCCEEDED(filter.QueryInterface(topology))) {
            ComPtr<IUnknown> node;
            EXPECT_HR(E_INVALIDARG, topology->GetControlNode(0, 1, 1, &node));
            ASSERT_HR(S_OK, topology->GetControlNode(0, 1, 0, &node));
            expectInterface(node.Get(), IID_IBDA_SignalStatistics, c.statistics);
        }
    }
    EXPECT_EQ(runtime::SimLiveObjects(), liveBefore) << "every filter and node is gone";
}

TEST(TunerFilter, TuneRequestsLockAndStatisticsShowIt)
{
    Rig rig(TunerKind::Pcie);
    auto filter = MakeFilter(rig, sim::TunerFilterOptions{});
    ComPtr<runtime::ISimTuneTarget> target;
    ASSERT_HR(S_OK, filter.QueryInterface(target));
    ComPtr<IBDA_Topology> topology;
    ASSERT_HR(S_OK, filter.QueryInterface(topology));
    ComPtr<IUnknown> node;
    ASSERT_HR(S_OK, topology->GetControlNode(0, 1, 0, &node));
    ComPtr<IBDA_SignalStatistics> statistics;
    ASSERT_HR(S_OK, node.QueryInterface(statistics));

    BOOLEAN locked = 7;
    ASSERT_HR(S_OK, statistics->get_SignalLocked(&locked));
    EXPECT_EQ(locked, 0);

    runtime::SimTuneRequest request;
    request.carrierFrequency = 11'494'000;
    request.symbolRate = 22000;
    request.polarisation = BDA_POLARISATION_LINEAR_H;
    request.lowOscillator = 9'750'000;
    request.highOscillator = 10'600'000;
    request.lnbSwitch = 11'700'000;
    ASSERT_HR(S_OK, target->ApplyTuneRequest(request));

    LONG quality = 0, strength = 0;
    ASSERT_HR(S_OK, statistics->get_SignalQuality(&quality));
    ASSERT_HR(S_OK, statistics->get_SignalStrength(&strength));
    ASSERT_HR(S_OK, statistics->get_SignalLocked(&locked));
    EXPECT_EQ(locked, 1);
    EXPECT_GT(quality, 50);
    EXPECT_GT(strength, 50);

    // The media information through the pin's property set.
    ComPtr<IPin> input;
    ASSERT_HR(S_OK, filter->FindPin(L"Input0", &input));
    ComPtr<IKsPropertySet> ks;
    ASSERT_HR(S_OK, input.QueryInterface(ks));
    StreamInfo info{};
    DWORD returned = 0;
    ASSERT_HR(S_OK,
              ks->Get(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_GET_MEDIAINFO, &info, sizeof info, &info, sizeof info,
                      &returned));
    EXPECT_EQ(info.standard, STREAMINFO_STANDARD_DVBS2);
    EXPECT_EQ(info.symbolRate, 22'000'000u);

    request.polarisation = BDA_POLARISATION_LINEAR_V;
    target->ApplyTuneRequest(request);
    statistics->get_SignalLocked(&locked);
    EXPECT_EQ(locked, 0);
}

} // namespace
