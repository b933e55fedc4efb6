#pragma once
// A tuner's LNB cable: the committed switch, the LNBs behind it and the
// motorised dish, as DiSEqC messages and the tuner's tone and voltage set
// them. Not thread-safe: its owner (the demodulator) serialises calls. Every
// DiSEqC message writes a journal line "diseqc BYTES -> what happened".
#include "sim/tuner/CableSpec.h"
#include "sim/tuner/DiseqcFrame.h"
#include "sim/tuner/Dish.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

class LnbCable {
public:
    LnbCable(const CableSpec& spec, std::int64_t nowMs);

    // One message as the tuner put it on the cable.
    void Receive(const std::uint8_t* bytes, std::size_t length, std::int64_t nowMs);
    // The tuner's 22 kHz tone (high band) and voltage (18 V horizontal,
    // 13 V vertical), set at every tune.
    void SetToneAndVoltage(bool highBand, bool horizontal);
    // The same, one at a time, as a DVB frontend sets them.
    void SetTone(bool highBand);
    void SetVoltage(bool horizontal);

    // State of the committed switch: the last of a switch command and the
    // tuner's tone and voltage decides band and polarisation.
    int Port() const { return (m_bits >> 2) & 3; }
    bool HighBand() const { return (m_bits & 1) != 0; }
    bool Horizontal() const { return (m_bits & 2) != 0; }

    const PortSpec& CurrentPort() const { return m_spec.ports[static_cast<std::size_t>(Port())]; }
    const LnbSpec& Lnb() const { return m_spec.lnb; }
    Dish& Motor() { return m_dish; }

private:
    // What the message did, for the journal.
    std::string Obey(const DiseqcFrame& frame, std::int64_t nowMs);
    std::string ObeySwitch(const DiseqcFrame& frame);
    std::string ObeyPositioner(const DiseqcFrame& frame, std::int64_t nowMs);
    // True when this message is the other transmission of the message just
    // before it (same bytes, the other framing, back to back).
    bool IsSecondTransmission(const DiseqcFrame& frame, std::int64_t nowMs);

    CableSpec m_spec;
    Dish m_dish;
    // Committed switch bits: 0 band (1 high), 1 polarisation (1 horizontal),
    // 2 position and 3 option (the port).
    std::uint8_t m_bits;

    struct LastMessage {
        DiseqcFrame frame;
        std::int64_t time = 0;
        bool paired = false;
    };
    std::optional<LastMessage> m_last;
};

} // namespace sim
