// The devices file: model names per frontend, everything else refused with a
// warning.
#include "dvb/DevicesFile.h"

#include <gtest/gtest.h>

namespace {

TEST(DevicesFile, ModelNamesPerFrontend)
{
    const dvb::DevicesFile file = dvb::ParseDevicesFile("; two cards\n"
                                                        "[adapter0/frontend0]\n"
                                                        "Name = Kavro N72 DVBS/S2 Tuner A\r\n"
                                                        "[Adapter1/Frontend0]\n"
                                                        "name=Kavro U31 DVBS2 Tuner\n");
    EXPECT_TRUE(file.warnings.empty());
    ASSERT_EQ(2u, file.names.size());
    EXPECT_EQ("Kavro N72 DVBS/S2 Tuner A", file.names.at("adapter0/frontend0"));
    EXPECT_EQ("Kavro U31 DVBS2 Tuner", file.names.at("adapter1/frontend0"));
}

TEST(DevicesFile, WhatItRefuses)
{
    struct Case {
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"a name that is no model", "[adapter0/frontend0]\nName=Kavro N99 Tuner\n"},
        {"a model name with more after it", "[adapter0/frontend0]\nName=Kavro N71 DVBS/S2 Tuner X\n"},
        {"a section that names no frontend", "[adapter0]\nName=Kavro N71 DVBS/S2 Tuner\n"},
        {"a section never closed", "[adapter0/frontend0\nName=Kavro N71 DVBS/S2 Tuner\n"},
        {"a signed adapter number", "[adapter -1/frontend0]\nName=Kavro N71 DVBS/S2 Tuner\n"},
        {"something after the frontend number", "[adapter0/frontend0x]\nName=Kavro N71 DVBS/S2 Tuner\n"},
        {"a line without a key", "[adapter0/frontend0]\nKavro N71 DVBS/S2 Tuner\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const dvb::DevicesFile file = dvb::ParseDevicesFile(c.text);
        EXPECT_TRUE(file.names.empty());
        EXPECT_EQ(1u, file.warnings.size());
    }
}

TEST(DevicesFile, TheUsbBoxIsTheOnlyUsbModel)
{
    EXPECT_TRUE(dvb::IsUsbModelName("Kavro U31 DVBS2 Tuner"));
    EXPECT_FALSE(dvb::IsUsbModelName("Kavro N71 DVBS/S2 Tuner"));
    EXPECT_TRUE(dvb::IsKavroModelName("Kavro N72 DVBS/S2 Tuner B"));
    EXPECT_FALSE(dvb::IsKavroModelName("STV0900 DVB-S2"));
}

} // namespace
