#include "sim/tuner/LnbCable.h"

#include "platform/com/Journal.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace sim;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::int64_t kStart = 50'000;

CableSpec MotorOnPortA(bool actsOnRepeat)
{
    CableSpec spec;
    spec.ports[0] = PortSpec{PortKind::Motor, 0};
    spec.ports[1] = PortSpec{PortKind::FixedLnb, 192};
    spec.motorActsOnRepeat = actsOnRepeat;
    return spec;
}

void Send(LnbCable& cable, const Bytes& bytes, std::int64_t at) { cable.Receive(bytes.data(), bytes.size(), at); }

TEST(LnbCable, CommittedSwitchClearsThenSetsItsBits)
{
    struct Case {
        const char* name;
        std::uint8_t data;
        int port;
        bool highBand;
        bool horizontal;
    };
    // Each command follows a first one that set port D, high band, horizontal.
    const Case cases[] = {
        {"port A vertical low band", 0xF0, 0, false, false},
        {"port B vertical high band", 0xF5, 1, true, false},
        {"port C horizontal high band", 0xFB, 2, true, true},
        {"clearing nothing keeps the earlier bits", 0x00, 3, true, true},
        {"clearing only the band", 0x10, 3, false, true},
        {"clearing the port bits selects port A", 0xC0, 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LnbCable cable(CableSpec{}, kStart);
        Send(cable, {0xE0, 0x10, 0x38, 0xFF}, kStart);
        Send(cable, {0xE0, 0x10, 0x38, c.data}, kStart + 1'000);
        EXPECT_EQ(cable.Port(), c.port);
        EXPECT_EQ(cable.HighBand(), c.highBand);
        EXPECT_EQ(cable.Horizontal(), c.horizontal);
    }
}

TEST(LnbCable, DefaultPortUntilTheFirstSwitchCommand)
{
    CableSpec spec;
    spec.defaultPort = 2;
    LnbCable cable(spec, kStart);
    EXPECT_EQ(cable.Port(), 2);
    cable.SetToneAndVoltage(true, false);
    EXPECT_EQ(cable.Port(), 2) << "tone and voltage leave the port alone";
    EXPECT_TRUE(cable.HighBand());
    EXPECT_FALSE(cable.Horizontal());
}

TEST(LnbCable, RepeatedTransmissionsCountOnceUnlessTheMotorActsOnRepeats)
{
    struct Case {
        const char* name;
        bool actsOnRepeat;
        std::vector<std::pair<Bytes, std::int64_t>> messages; // bytes, ms after the start
        double expected;
    };
    const Bytes stepWestRepeat = {0xE1, 0x31, 0x69, 0xFF};
    const Bytes stepWestFirst = {0xE0, 0x31, 0x69, 0xFF};
    const Case cases[] = {
        {"repeat then first, back to back: one step", false, {{stepWestRepeat, 0}, {stepWestFirst, 0}}, 0.1},
        {"first then repeat: one step", false, {{stepWestFirst, 0}, {stepWestRepeat, 10}}, 0.1},
        {"motor acting on repeats steps twice", true, {{stepWestRepeat, 0}, {stepWestFirst, 0}}, 0.2},
        {"two presses of the button: two steps",
         false,
         {{stepWestRepeat, 0}, {stepWestFirst, 0}, {stepWestRepeat, 0}, {stepWestFirst, 0}},
         0.2},
        {"two first transmissions are two commands", false, {{stepWestFirst, 0}, {stepWestFirst, 0}}, 0.2},
        {"a repeat long after its first is a command of its own",
         false,
         {{stepWestFirst, 0}, {stepWestRepeat, 2'000}},
         0.2},
        {"a lone repeated goto angle is obeyed", false, {{{0xE1, 0x31, 0x6E, 0xD0, 0x38}, 0}}, 3.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LnbCable cable(MotorOnPortA(c.actsOnRepeat), kStart);
        for (const auto& [bytes, at] : c.messages) {
            Send(cable, bytes, kStart + at);
        }
        EXPECT_NEAR(cable.Motor().Angle(kStart + 60'000), c.expected, 1e-9);
    }
}

TEST(LnbCable, PositionerBehindAnotherPortHearsNothing)
{
    LnbCable cable(MotorOnPortA(false), kStart);
    Send(cable, {0xE0, 0x10, 0x38, 0xF4}, kStart); // port B
    Send(cable, {0xE0, 0x31, 0x68, 0x00}, kStart);
    EXPECT_NEAR(cable.Motor().Angle(kStart + 10'000), 0.0, 1e-9);
    Send(cable, {0xE0, 0x10, 0x38, 0xF0}, kStart + 10'000); // back to port A
    Send(cable, {0xE0, 0x31, 0x68, 0x00}, kStart + 10'000);
    EXPECT_NEAR(cable.Motor().Angle(kStart + 12'000), -3.0, 1e-9);
}

TEST(LnbCable, MalformedMessagesAreIgnoredAndJournalled)
{
    struct Case {
        const char* name;
        Bytes bytes;
        const char* journal;
    };
    const Case cases[] = {
        {"too short", {0xE0, 0x31}, "diseqc E0 31 -> ignored: shorter than framing, address and command"},
        {"reply framing",
         {0xE4, 0x31, 0x60},
         "diseqc E4 31 60 -> ignored: framing byte is not a command from the master"},
        {"drive without its data byte", {0xE0, 0x31, 0x68}, "diseqc E0 31 68 -> ignored: command takes 4 bytes, not 3"},
        {"goto angle too long",
         {0xE0, 0x31, 0x6E, 0xD0, 0x38, 0x00},
         "diseqc E0 31 6E D0 38 00 -> ignored: command takes 5 bytes, not 6"},
        {"goto angle without a sense",
         {0xE0, 0x31, 0x6E, 0x10, 0x38},
         "diseqc E0 31 6E 10 38 -> ignored: goto angle without east or west"},
        {"goto an empty position", {0xE0, 0x31, 0x6B, 0x09}, "diseqc E0 31 6B 09 -> ignored: positioner refused it"},
        {"command for an elevation motor",
         {0xE0, 0x32, 0x68, 0x00},
         "diseqc E0 32 68 00 -> ignored: no device on this cable obeys it"},
        {"unknown command",
         {0xE0, 0x10, 0x7F, 0x01, 0x02},
         "diseqc E0 10 7F 01 02 -> ignored: no device on this cable obeys it"},
    };
    TempDir dir;
    const auto file = dir / "journal.txt";
    JournalOpen(file.string());
    LnbCable cable(MotorOnPortA(false), kStart);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Send(cable, c.bytes, kStart);
        EXPECT_EQ(cable.Port(), 0);
        EXPECT_FALSE(cable.Motor().Moving(kStart));
    }
    cable.Receive(nullptr, 4, kStart);
    Send(cable, {0xE0, 0x31, 0x69, 0xFF}, kStart);
    JournalClose();

    std::istringstream lines(TempDir::ReadFile(file));
    std::string line;
    for (const auto& c : cases) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, c.journal);
    }
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "diseqc - -> ignored: shorter than framing, address and command");
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "diseqc E0 31 69 FF -> motor drive west 1 step");
}

} // namespace
