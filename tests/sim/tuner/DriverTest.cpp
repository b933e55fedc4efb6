#include "sim/tuner/Driver.h"

#include "platform/com/Journal.h"
#include "tests/sim/tuner/ManualClock.h"
#include "tests/sim/tuner/TestSky.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <thread>
#include <vector>

using namespace sim;

namespace {

CableSpec AstraOnPortA()
{
    CableSpec cable;
    cable.ports[0] = PortSpec{PortKind::FixedLnb, 192};
    return cable;
}

struct Rig {
    explicit Rig(TunerKind kind) : modes(kind) {}
    explicit Rig(PropertyModes m) : modes(m) {}

    Sky sky = TestSky();
    ManualClock clock;
    Demodulator demodulator{sky, AstraOnPortA(), Site{}, clock};
    PropertyModes modes;
    Driver driver{demodulator, modes};
};

struct PropertyRow {
    const char* name;
    TunerKind kind;
    GUID set;
    ULONG id;
    DWORD support;
    DWORD instanceSize;
    DWORD valueSize;
};

// What each property takes, as the driver kit documents it.
const PropertyRow kTable[] = {
    {"control probe", TunerKind::Usb, KSPROPSETID_CTRL_EXTENSION, 1, kSupportGet, 0, 0},
    {"control DiSEqC", TunerKind::Usb, KSPROPSETID_CTRL_EXTENSION, 3, kSupportSet, 0, 288},
    {"control media information", TunerKind::Usb, KSPROPSETID_CTRL_EXTENSION, 15, kSupportGet, 72, 72},
    {"control scrambling code", TunerKind::Usb, KSPROPSETID_CTRL_EXTENSION, 20, kSupportSet, 264, 264},
    {"control MODCOD list", TunerKind::Usb, KSPROPSETID_CTRL_EXTENSION, 21, kSupportSet, 1348, 1348},
    {"BDA DiSEqC", TunerKind::Pcie, KSPROPSETID_BDA_EXTENSION, 0, kSupportSet, 11, 11},
    {"BDA media information", TunerKind::Pcie, KSPROPSETID_BDA_EXTENSION, 12, kSupportGet, 72, 72},
    {"BDA stream type", TunerKind::Pcie, KSPROPSETID_BDA_EXTENSION, 13, kSupportGet | kSupportSet, 2, 2},
    {"BDA input stream", TunerKind::Pcie, KSPROPSETID_BDA_EXTENSION, 14, kSupportSet, 72, 72},
    {"BDA scrambling code", TunerKind::Pcie, KSPROPSETID_BDA_EXTENSION, 23, kSupportSet, 264, 264},
    {"BDA MODCOD list", TunerKind::Pcie, KSPROPSETID_BDA_EXTENSION, 24, kSupportSet, 1348, 1348},
};

// A valid payload of that size for the property (the default scrambling
// sequence, stream type TS, an empty MODCOD list, a halt message).
std::vector<std::uint8_t> ValidPayload(const PropertyRow& row, std::size_t size)
{
    std::vector<std::uint8_t> bytes(std::max<std::size_t>(size, 1), 0);
    if (row.id == 23 || row.id == 20) bytes[4] = 1; // gold code 0
    if (row.id == 13) bytes[0] = 1;                 // TS
    if (row.id == 0 && size >= 11) bytes = {0xE0, 0x31, 0x60, 0, 0, 0, 0, 0, 0, 0, 3};
    if (row.id == 3 && size >= 288) std::memcpy(bytes.data() + 21, "\xE0\x31\x60", 3);
    return bytes;
}

TEST(Driver, EveryPropertyAnswersWithItsDocumentedSizes)
{
    for (const auto& row : kTable) {
        SCOPED_TRACE(row.name);
        Rig rig(row.kind);
        DWORD support = 0;
        ASSERT_HR(S_OK, rig.driver.QuerySupported(row.set, row.id, &support));
        EXPECT_EQ(support, row.support);

        auto instance = ValidPayload(row, row.instanceSize);
        auto value = ValidPayload(row, row.valueSize);
        if (row.support & kSupportGet) {
            DWORD returned = 12345;
            EXPECT_HR(S_OK,
                      rig.driver.Get(row.set, row.id, instance.data(), row.instanceSize, value.data(), row.valueSize,
                                     &returned));
            EXPECT_EQ(returned, row.valueSize);
        } else {
            DWORD returned = 0;
            EXPECT_HR(kPropIdUnsupported,
                      rig.driver.Get(row.set, row.id, instance.data(), row.instanceSize, value.data(), row.valueSize,
                                     &returned));
        }
        if (row.support & kSupportSet) {
            EXPECT_HR(S_OK,
                      rig.driver.Set(row.set, row.id, instance.data(), row.instanceSize, value.data(), row.valueSize));
        } else {
            EXPECT_HR(kPropIdUnsupported,
                      rig.driver.Set(row.set, row.id, instance.data(), row.instanceSize, value.data(), row.valueSize));
        }
    }
}

TEST(Driver, WrongSizesFail)
{
    for (const auto& row : kTable) {
        SCOPED_TRACE(row.name);
        Rig rig(row.kind);
        struct Sizes {
            DWORD instance;
            DWORD value;
        };
        std::vector<Sizes> wrong = {{row.instanceSize + 1, row.valueSize}, {row.instanceSize, row.valueSize + 1}};
        if (row.instanceSize > 0) wrong.push_back({row.instanceSize - 1, row.valueSize});
        if (row.valueSize > 0) wrong.push_back({row.instanceSize, row.valueSize - 1});
        for (const auto& sizes : wrong) {
            SCOPED_TRACE(std::to_string(sizes.instance) + "/" + std::to_string(sizes.value));
            auto instance = ValidPayload(row, sizes.instance + 1);
            auto value = ValidPayload(row, sizes.value + 1);
            if (row.support & kSupportGet) {
                DWORD returned = 0;
                EXPECT_TRUE(FAILED(rig.driver.Get(row.set, row.id, instance.data(), sizes.instance, value.data(),
                                                  sizes.value, &returned)));
            }
            if (row.support & kSupportSet) {
                EXPECT_TRUE(FAILED(
                    rig.driver.Set(row.set, row.id, instance.data(), sizes.instance, value.data(), sizes.value)));
            }
        }
    }
    Rig rig(TunerKind::Pcie);
    StreamInfo info{};
    std::uint8_t small[40];
    DWORD returned = 0;
    EXPECT_HR(kBufferTooSmall, rig.driver.Get(KSPROPSETID_BDA_EXTENSION, 12, &info, 72, small, 40, &returned));
    EXPECT_EQ(returned, 72u) << "a short buffer learns the size it takes";
}

TEST(Driver, KindAndWorldModesDecideTheAnswers)
{
    PropertyModes modes(TunerKind::Pcie);
    modes.Set(PropertySet::Bda, 13, PropertyMode::Unsupported);
    modes.Set(PropertySet::Bda, 23, PropertyMode::Fail);
    modes.Set(PropertySet::Bda, 0, PropertyMode::Positive);
    modes.Set(PropertySet::Ctrl, 1, PropertyMode::Supported);
    Rig rig(modes);
    DWORD support = 0;
    EXPECT_HR(kPropIdUnsupported, rig.driver.QuerySupported(KSPROPSETID_BDA_EXTENSION, 13, &support));
    EXPECT_HR(S_OK, rig.driver.QuerySupported(KSPROPSETID_BDA_EXTENSION, 23, &support));
    EXPECT_HR(S_OK, rig.driver.QuerySupported(KSPROPSETID_CTRL_EXTENSION, 1, &support));
    EXPECT_HR(kPropIdUnsupported, rig.driver.QuerySupported(KSPROPSETID_CTRL_EXTENSION, 15, &support));
    EXPECT_HR(kPropIdUnsupported, rig.driver.QuerySupported(KSPROPSETID_BDA_EXTENSION, 99, &support));
    EXPECT_HR(kPropSetUnsupported, rig.driver.QuerySupported(GUID_NULL, 0, &support));

    StreamTypeParams params{0, 1};
    EXPECT_HR(kPropIdUnsupported, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 13, &params, 2, &params, 2));
    GoldCodeParams gold{};
    gold.code = 8;
    gold.codeType = GOLDCODE_TYPE_GOLD;
    EXPECT_HR(E_FAIL, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 23, &gold, sizeof gold, &gold, sizeof gold));
    EXPECT_EQ(rig.demodulator.Scrambling(), 0u) << "a failing set changes nothing";

    DiseqcMessage message{{0xE0, 0x10, 0x38, 0xF4}, 4};
    EXPECT_HR(S_FALSE, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 0, &message, 11, &message, 11));
    EXPECT_EQ(rig.demodulator.SwitchPort(), 1) << "a positive answer still does the work";

    Rig usb(TunerKind::Usb);
    EXPECT_HR(kPropIdUnsupported, usb.driver.QuerySupported(KSPROPSETID_BDA_EXTENSION, 14, &support));
    EXPECT_HR(S_OK, usb.driver.QuerySupported(KSPROPSETID_CTRL_EXTENSION, 1, &support));
}

TEST(Driver, PayloadsReachTheDemodulator)
{
    Rig rig(TunerKind::Pcie);
    GoldCodeParams root{};
    root.code = 1;
    root.codeType = GOLDCODE_TYPE_ROOT;
    GoldCodeParams gold{};
    gold.code = 8;
    gold.codeType = GOLDCODE_TYPE_GOLD;
    EXPECT_HR(S_OK, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 23, &gold, sizeof gold, &gold, sizeof gold));
    EXPECT_EQ(rig.demodulator.Scrambling(), 8u);
    EXPECT_HR(S_OK, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 23, &root, sizeof root, &root, sizeof root));
    EXPECT_EQ(rig.demodulator.Scrambling(), 0u) << "root 1 is gold 0";

    struct Bad {
        const char* name;
        std::int32_t code;
        std::uint32_t type;
    };
    for (const auto& bad : {Bad{"root 0", 0, 0}, Bad{"negative gold", -1, 1}, Bad{"gold past the period", 262143, 1},
                            Bad{"root beyond 18 bits", 262144, 0}, Bad{"unknown type", 5, 2}}) {
        SCOPED_TRACE(bad.name);
        GoldCodeParams p{};
        p.code = bad.code;
        p.codeType = bad.type;
        EXPECT_HR(E_INVALIDARG, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 23, &p, sizeof p, &p, sizeof p));
    }

    StreamTypeParams gs{0, 1};
    EXPECT_HR(S_OK, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 13, &gs, 2, &gs, 2));
    StreamTypeParams read{9, 9};
    DWORD returned = 0;
    EXPECT_HR(S_OK, rig.driver.Get(KSPROPSETID_BDA_EXTENSION, 13, &read, 2, &read, 2, &returned));
    EXPECT_EQ(read.ts, 0);
    EXPECT_EQ(read.gs, 1);
    for (StreamTypeParams both : {StreamTypeParams{1, 1}, StreamTypeParams{0, 0}}) {
        EXPECT_HR(E_INVALIDARG, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 13, &both, 2, &both, 2));
    }

    ModcodList list{};
    list.count = 113;
    EXPECT_HR(E_INVALIDARG, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 24, &list, sizeof list, &list, sizeof list));
    list.count = 1;
    list.entries[0].modcod = 29;
    EXPECT_HR(E_INVALIDARG, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 24, &list, sizeof list, &list, sizeof list));
    list.count = 0;
    EXPECT_HR(S_OK, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 24, &list, sizeof list, &list, sizeof list));

    InputStreamRecord isi{};
    isi.inputStreamId = 256;
    EXPECT_HR(E_INVALIDARG, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 14, &isi, 72, &isi, 72));

    DiseqcMessage empty{};
    EXPECT_HR(E_INVALIDARG, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 0, &empty, 11, &empty, 11));
}

TEST(Driver, ControlSetFindsTheMessageLengthFromItsCommand)
{
    Rig rig(TunerKind::Usb);
    TuningBlock block{};
    block.header[0] = 1;
    block.header[2] = 2;
    // A five-byte goto angle first; then a four-byte switch command over it
    // leaves the goto's last byte behind, which must not travel along.
    const std::uint8_t sw[] = {0xE0, 0x10, 0x38, 0xF4, 0x38};
    std::memcpy(block.diseqcBytes, sw, sizeof sw);
    EXPECT_HR(S_OK, rig.driver.Set(KSPROPSETID_CTRL_EXTENSION, 3, nullptr, 0, &block, sizeof block));
    EXPECT_EQ(rig.demodulator.SwitchPort(), 1);
}

TEST(Driver, EveryCallWritesItsJournalLine)
{
    TempDir dir;
    const auto file = dir / "journal.txt";
    JournalOpen(file.string());
    Rig rig(TunerKind::Pcie);
    DWORD support = 0;
    rig.driver.QuerySupported(KSPROPSETID_BDA_EXTENSION, 13, &support);
    rig.driver.QuerySupported(KSPROPSETID_CTRL_EXTENSION, 1, &support);
    StreamTypeParams params{1, 0};
    DWORD returned = 0;
    rig.driver.Get(KSPROPSETID_BDA_EXTENSION, 13, &params, 2, &params, 2, &returned);
    DiseqcMessage message{{0xE0, 0x10, 0x38, 0xF5}, 4};
    rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 0, &message, 11, &message, 11);
    StreamInfo info{};
    rig.driver.Get(KSPROPSETID_BDA_EXTENSION, 12, &info, 72, &info, 70, &returned);
    JournalClose();

    const std::string expected =
        "ks query BDA 13 -> 0x00000000\n"
        "ks query CTRL 1 -> 0x80070490\n"
        "ks get BDA 13 inst=01 00 -> 0x00000000 value=01 00\n"
        "diseqc E0 10 38 F5 -> switch port=B band=high pol=V\n"
        "ks set BDA 0 inst=E0 10 38 F5 00 00 00 00 00 00 04 value=E0 10 38 F5 00 00 00 00 00 00 04 -> 0x00000000\n"
        "ks get BDA 12 inst=" +
        JournalHex(&info, 72) + " -> 0x8007007A value=-\n";
    EXPECT_EQ(TempDir::ReadFile(file), expected);
}

TEST(Driver, CallsFromTwoThreadsAtOnce)
{
    Rig rig(TunerKind::Pcie);
    rig.demodulator.Tune(TuneRequest{11'494'000, 22000, 1, 9'750'000, 10'600'000, 11'700'000});
    std::thread monitor([&] {
        for (int i = 0; i < 2000; ++i) {
            StreamInfo info{};
            DWORD returned = 0;
            EXPECT_HR(S_OK, rig.driver.Get(KSPROPSETID_BDA_EXTENSION, 12, &info, 72, &info, 72, &returned));
            EXPECT_EQ(info.standard, STREAMINFO_STANDARD_DVBS2);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        DiseqcMessage message{{0xE0, 0x10, 0x38, 0xF2}, 4}; // port A, horizontal, low band: stays locked
        EXPECT_HR(S_OK, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 0, &message, 11, &message, 11));
        GoldCodeParams gold{};
        gold.codeType = GOLDCODE_TYPE_GOLD;
        EXPECT_HR(S_OK, rig.driver.Set(KSPROPSETID_BDA_EXTENSION, 23, &gold, sizeof gold, &gold, sizeof gold));
    }
    monitor.join();
}

} // namespace
