#pragma once
// The driver's media information record from what the frontend reports
// while locked, and back. Pure: the values are those of the DVB v5 API
// (delivery system, modulation, inner FEC, roll-off, pilot and inversion
// enumerations of linux/dvb/frontend.h).
//
// What the DVB API does not report is filled as the usual broadcast has it:
// a transport stream (TS/GS 3), constant coding, no input stream
// synchronisation, no null-packet deletion, long frames. A stream id the
// program set makes the record a multistream one with that identifier.
#include "platform/driver/KavroProperties.h"

#include <cstdint>

namespace dvb {

struct FrontendParameters {
    std::uint32_t deliverySystem = 0;     // SYS_DVBS or SYS_DVBS2
    std::uint32_t frequencyKhz = 0;       // the intermediate frequency
    std::uint32_t symbolRate = 0;         // symbols per second
    std::uint32_t modulation = 0;         // QPSK, PSK_8, APSK_16, APSK_32
    std::uint32_t innerFec = 0;           // FEC_1_2 ...
    std::uint32_t rollOff = 0;            // ROLLOFF_35, ROLLOFF_25, ROLLOFF_20 (AUTO reads as 0.35)
    std::uint32_t pilot = 0;              // PILOT_ON, PILOT_OFF, PILOT_AUTO
    std::uint32_t inversion = 0;          // INVERSION_ON, INVERSION_OFF, INVERSION_AUTO
    std::uint32_t streamId = 0xFFFFFFFFu; // NO_STREAM_ID_FILTER: a single stream
};

// The record while locked (the caller keeps it all zero while unlocked).
StreamInfo MediaInfoFrom(const FrontendParameters& parameters);
// What a frontend reports for the stream a record describes (the emulator
// answers FE_GET_PROPERTY with it).
FrontendParameters ParametersFrom(const StreamInfo& info);

} // namespace dvb
