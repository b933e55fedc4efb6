#pragma once
// One transponder of the sky as a satellite file describes it: the customary
// fields (frequency, polarisation, symbol rate, FEC, system, modulation) and
// the DVB-S2 details of our own optional fields.
#include "sim/tuner/Modcod.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// Linear polarisations; a circular one rides on the voltage of its linear
// partner (L with horizontal's 18 V, R with vertical's 13 V).
enum class Polarisation { Horizontal, Vertical, Left, Right };
enum class DeliverySystem { DvbS, DvbS2 };
enum class StreamKind { Transport, GenericPacketized, GenericContinuous };
enum class RollOff { R035, R025, R020 };

// True when the LNB powered for horizontal (18 V) receives this polarisation.
bool NeedsHorizontalVoltage(Polarisation polarisation);
// "H", "V", "L" or "R".
const char* PolarisationLetter(Polarisation polarisation);

struct Transponder {
    std::uint32_t frequencyMhz = 0;
    Polarisation polarisation = Polarisation::Horizontal;
    std::uint32_t symbolRateKsps = 0;
    CodeRate fec = CodeRate::R3_4;
    DeliverySystem system = DeliverySystem::DvbS;
    Modulation modulation = Modulation::Qpsk;

    // Multistream: the input stream identifiers carried, the first output by
    // default. Empty for a single input stream.
    std::vector<int> inputStreams;
    // The physical-layer scrambling sequence as a gold code index (0 is the
    // default sequence, root code 1).
    std::uint32_t goldCode = 0;
    RollOff rollOff = RollOff::R035;
    bool pilots = false;
    bool shortFrame = false;
    StreamKind stream = StreamKind::Transport;
    bool adaptiveCoding = false;
    bool issyi = false;
    bool npd = false;
    bool spectrumInverted = false;
    // Service names carried in the transport stream, at least one.
    std::vector<std::string> services;
    // The line in its file ("[DVB] 12"), for messages.
    int line = 0;

    bool IsMultistream() const { return inputStreams.size() > 1; }
};

} // namespace sim
