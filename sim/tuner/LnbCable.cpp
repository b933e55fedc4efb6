#include "sim/tuner/LnbCable.h"

#include "platform/com/Journal.h"

#include <algorithm>

namespace sim {

namespace {

// Two transmissions of one message count as a pair when the second follows
// within this time; the program sends them back to back.
constexpr std::int64_t kPairWindowMs = 500;

constexpr char kPortNames[] = "ABCD";

bool ForSwitch(std::uint8_t address) { return address == 0x00 || (address & 0xF0) == 0x10; }
bool ForPositioner(std::uint8_t address) { return address == 0x00 || address == 0x30 || address == 0x31; }

} // namespace

LnbCable::LnbCable(const CableSpec& spec, std::int64_t nowMs)
    : m_spec(spec),
      m_dish(spec.motor, nowMs),
      m_bits(static_cast<std::uint8_t>((std::clamp(spec.defaultPort, 0, 3) << 2)))
{}

void LnbCable::SetToneAndVoltage(bool highBand, bool horizontal)
{
    m_bits = static_cast<std::uint8_t>((m_bits & 0x0C) | (highBand ? 1 : 0) | (horizontal ? 2 : 0));
}

void LnbCable::SetTone(bool highBand) { m_bits = static_cast<std::uint8_t>((m_bits & 0x0E) | (highBand ? 1 : 0)); }

void LnbCable::SetVoltage(bool horizontal)
{
    m_bits = static_cast<std::uint8_t>((m_bits & 0x0D) | (horizontal ? 2 : 0));
}

void LnbCable::Receive(const std::uint8_t* bytes, std::size_t length, std::int64_t nowMs)
{
    const auto parsed = ParseDiseqc(bytes, length);
    std::string outcome;
    if (!parsed.frame) {
        outcome = "ignored: " + parsed.error;
    } else {
        outcome = Obey(*parsed.frame, nowMs);
    }
    if (JournalEnabled()) {
        JournalWrite("diseqc " + JournalHex(bytes, bytes ? length : 0) + " -> " + outcome);
    }
}

bool LnbCable::IsSecondTransmission(const DiseqcFrame& frame, std::int64_t nowMs)
{
    const bool second = m_last && !m_last->paired && nowMs - m_last->time <= kPairWindowMs &&
        (m_last->frame.framing ^ frame.framing) == 0x01 && m_last->frame.address == frame.address &&
        m_last->frame.command == frame.command && m_last->frame.data == frame.data;
    if (second) {
        m_last->paired = true;
    } else {
        m_last = LastMessage{frame, nowMs, false};
    }
    return second;
}

std::string LnbCable::Obey(const DiseqcFrame& frame, std::int64_t nowMs)
{
    const bool second = IsSecondTransmission(frame, nowMs);
    if (frame.command == kCmdWriteN0 && ForSwitch(frame.address)) {
        return ObeySwitch(frame); // setting the same bits twice changes nothing
    }
    if (frame.command >= kCmdHalt && frame.command <= kCmdGotoAngle && ForPositioner(frame.address)) {
        if (CurrentPort().kind != PortKind::Motor) {
            return std::string("ignored: no positioner on port ") + kPortNames[Port()];
        }
        if (second && !m_spec.motorActsOnRepeat) {
            return "ignored: second transmission";
        }
        return ObeyPositioner(frame, nowMs);
    }
    return "ignored: no device on this cable obeys it";
}

std::string LnbCable::ObeySwitch(const DiseqcFrame& frame)
{
    // Write N0: the high nibble clears switch bits, the low nibble sets them.
    const std::uint8_t data = frame.data[0];
    m_bits = static_cast<std::uint8_t>(((m_bits & ~(data >> 4)) | data) & 0x0F);
    return std::string("switch port=") + kPortNames[Port()] + " band=" + (HighBand() ? "high" : "low") +
        " pol=" + (Horizontal() ? "H" : "V");
}

std::string LnbCable::ObeyPositioner(const DiseqcFrame& frame, std::int64_t nowMs)
{
    std::string done;
    switch (frame.command) {
    case kCmdHalt:
        done = m_dish.Halt(nowMs);
        break;
    case kCmdLimitsOff:
        done = m_dish.LimitsOff(nowMs);
        break;
    case kCmdLimitEast:
        done = m_dish.SetEastLimit(nowMs);
        break;
    case kCmdLimitWest:
        done = m_dish.SetWestLimit(nowMs);
        break;
    case kCmdDriveEast:
        done = m_dish.DriveEast(frame.data[0], nowMs);
        break;
    case kCmdDriveWest:
        done = m_dish.DriveWest(frame.data[0], nowMs);
        break;
    case kCmdStorePosition:
        done = m_dish.Store(frame.data[0], nowMs);
        break;
    case kCmdGotoPosition:
        done = m_dish.Goto(frame.data[0], nowMs);
        break;
    case kCmdGotoAngle: {
        // High nibble of the first byte: D west (positive), E east; then
        // whole degrees across both bytes and sixteenths in the last nibble.
        const std::uint8_t h = frame.data[0];
        const std::uint8_t l = frame.data[1];
        const int sense = (h >> 4) == 0xD ? +1 : (h >> 4) == 0xE ? -1 : 0;
        if (sense == 0) {
            return "ignored: goto angle without east or west";
        }
        const double magnitude = ((h & 0x0F) << 4 | (l >> 4)) + (l & 0x0F) / 16.0;
        done = m_dish.GotoAngle(sense * magnitude, nowMs);
        break;
    }
    default:
        break;
    }
    return done.empty() ? "ignored: positioner refused it" : "motor " + done;
}

} // namespace sim
