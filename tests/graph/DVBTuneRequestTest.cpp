// DVB-S tune requests from the tuning block, as the tuner receives them after
// submission to the network provider.
#include "graph/DVBTuneRequest.h"

#include "graph/TunerGraph.h"
#include "graph/TunerGraphBuild.h"
#include "platform/com/WideText.h"
#include "tests/graph/GraphRig.h"
#include "tests/support/ComAssert.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

class DVBTuneRequestTest : public GraphRig {
protected:
    void Build()
    {
        AddStandardDevices();
        ASSERT_EQ(BUILD_OK, BuildTunerGraph(0, deviceName, nullptr));
        NewJournal();
    }

    static TuningBlock Block(std::uint32_t frequency, std::uint32_t symbolRate, std::uint8_t polarity,
                             std::uint32_t lnbLow, std::uint32_t lnbHigh)
    {
        TuningBlock block{};
        block.frequencyMhz = frequency;
        block.symbolRateKsps = symbolRate;
        block.polarity = polarity;
        block.lnbLowMhz = lnbLow;
        block.lnbHighMhz = lnbHigh;
        return block;
    }

    // Makes the request and submits it as the Tuner Setting page does; the
    // journal's tune line, or the error text.
    std::string Tune(const TuningBlock* block, LONG lnbSwitch)
    {
        ComPtr<IDVBTuneRequest> request;
        if (const wchar_t* error = CreateDVBTuneRequest(&request, block, lnbSwitch)) {
            EXPECT_FALSE(request);
            return "error: " + ToUtf8(error);
        }
        ComPtr<ITuner> tuner;
        EXPECT_HR(S_OK, TunerGraph::Process().networkProvider.QueryInterface(tuner));
        EXPECT_HR(S_OK, tuner->put_TuneRequest(request.Get()));
        const std::vector<std::string> lines = NewJournal("tune ");
        return lines.size() == 1 ? lines.front() : "(" + std::to_string(lines.size()) + " tune lines)";
    }

    static LONG SpaceValue(HRESULT (STDMETHODCALLTYPE IDVBSTuningSpace::*get)(LONG*))
    {
        ComPtr<IDVBSTuningSpace> space;
        if (FAILED(TunerGraph::Process().tuningSpace.QueryInterface(space))) return -2;
        LONG value = 0;
        (space.Get()->*get)(&value);
        return value;
    }
};

TEST_F(DVBTuneRequestTest, ValuesArriveInKilohertzWithTheirPolarisation)
{
    Build();
    struct Case {
        const char* name;
        TuningBlock block;
        LONG lnbSwitch;
        const char* expected;
    };
    const Case cases[] = {
        {"polarity 0 is horizontal", Block(11778, 27500, 0, 9750, 10600), 11700,
         "tune freq=11778000 sr=27500 pol=1 lnb_low=9750000 lnb_high=10600000 lnb_switch=11700000 -> 0x00000000"},
        {"polarity 1 is vertical", Block(12551, 22000, 1, 9750, 10600), 11700,
         "tune freq=12551000 sr=22000 pol=2 lnb_low=9750000 lnb_high=10600000 lnb_switch=11700000 -> 0x00000000"},
        {"polarity 255 (none chosen) is vertical", Block(10744, 22000, 255, 9750, 10600), 11700,
         "tune freq=10744000 sr=22000 pol=2 lnb_low=9750000 lnb_high=10600000 lnb_switch=11700000 -> 0x00000000"},
        {"C band, single oscillator, no switch", Block(3733, 3000, 0, 5150, 5150), 0,
         "tune freq=3733000 sr=3000 pol=1 lnb_low=5150000 lnb_high=5150000 lnb_switch=0 -> 0x00000000"},
        {"symbol rate beyond any transponder stays unscaled", Block(11000, 1000000, 0, 9750, 10600), 11700,
         "tune freq=11000000 sr=1000000 pol=1 lnb_low=9750000 lnb_high=10600000 lnb_switch=11700000 -> 0x00000000"},
        // 4294967 x 1000 = 4294967000, which a 32-bit LONG holds as -296.
        {"MHz beyond 32-bit kHz wrap around", Block(4294967, 27500, 0, 2147484, 9750), -1,
         "tune freq=-296 sr=27500 pol=1 lnb_low=-2147483296 lnb_high=9750000 lnb_switch=-1000 -> 0x00000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, Tune(&c.block, c.lnbSwitch));
    }
}

TEST_F(DVBTuneRequestTest, TheSecondCallsLnbValuesStay)
{
    Build();
    const TuningBlock ku = Block(11778, 27500, 0, 9750, 10600);
    const TuningBlock c = Block(3733, 3000, 1, 5150, 5750);
    Tune(&ku, 11700);
    EXPECT_EQ("tune freq=3733000 sr=3000 pol=2 lnb_low=5150000 lnb_high=5750000 lnb_switch=0 -> 0x00000000",
              Tune(&c, 0));
    EXPECT_EQ(5150000, SpaceValue(&IDVBSTuningSpace::get_LowOscillator));
    EXPECT_EQ(5750000, SpaceValue(&IDVBSTuningSpace::get_HighOscillator));
    EXPECT_EQ(0, SpaceValue(&IDVBSTuningSpace::get_LNBSwitch));
}

TEST_F(DVBTuneRequestTest, WithoutBlockTheRequestCarriesTheSpacesValuesOnly)
{
    Build();
    const TuningBlock ku = Block(11778, 27500, 0, 9750, 10600);
    Tune(&ku, 11700);
    EXPECT_EQ("tune freq=-1 sr=-1 pol=-1 lnb_low=9750000 lnb_high=10600000 lnb_switch=11700000 -> 0x00000000",
              Tune(nullptr, 0));
}

TEST_F(DVBTuneRequestTest, WithoutTuningSpaceThereIsNoRequest)
{
    const TuningBlock block = Block(11778, 27500, 0, 9750, 10600);
    ComPtr<IDVBTuneRequest> request;
    EXPECT_STREQ(L"CreateTuneRequest: Can't create tune request.\n", CreateDVBTuneRequest(&request, &block, 11700));
    EXPECT_FALSE(request);
    EXPECT_STREQ(L"CreateTuneRequest: Can't create tune request.\n", CreateDVBTuneRequest(nullptr, &block, 11700));
}

} // namespace
