// The model code of a tuner from its friendly name.
#include "graph/DeviceClassification.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceClassificationTest, NamesGiveTheirModelCodes)
{
    struct Case {
        const char* name;
        const wchar_t* friendlyName;
        LONG expected;
    };
    const Case cases[] = {
        {"single-tuner card", L"Kavro N71 DVBS/S2 Tuner", DEVICE_TYPE_N71},
        {"dual card, tuner A", L"Kavro N72 DVBS/S2 Tuner A", DEVICE_TYPE_N72_TUNER_A},
        {"dual card, tuner B", L"Kavro N72 DVBS/S2 Tuner B", DEVICE_TYPE_N72_TUNER_B},
        {"USB box", L"Kavro U31 DVBS2 Tuner", DEVICE_TYPE_U31},
        {"tuner B text followed by more characters", L"Kavro N72 DVBS/S2 Tuner B (2)", DEVICE_TYPE_N72_TUNER_B},
        {"model text inside a longer name", L"PCIe #1: Kavro N71 DVBS/S2 Tuner", DEVICE_TYPE_N71},
        {"single-tuner text in lower case", L"kavro n71 dvbs/s2 tuner", DEVICE_TYPE_UNSUPPORTED},
        {"another maker's tuner", L"Generic DVB-S2 Tuner", DEVICE_TYPE_UNSUPPORTED},
        {"the empty list's name", L"No Device", DEVICE_TYPE_UNSUPPORTED},
        {"empty name", L"", DEVICE_TYPE_UNSUPPORTED},
        {"a model text cut short", L"Kavro N72 DVBS/S2 Tune", DEVICE_TYPE_UNSUPPORTED},
        // Each hit overwrites the one before: the later row of the table wins.
        {"two model texts, the later row wins", L"Kavro U31 DVBS2 Tuner / Kavro N71 DVBS/S2 Tuner", DEVICE_TYPE_U31},
        {"tuner A text followed by B", L"Kavro N72 DVBS/S2 Tuner A+Kavro N72 DVBS/S2 Tuner B", DEVICE_TYPE_N72_TUNER_B},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, ClassifyDevice(c.friendlyName));
    }
}

} // namespace
