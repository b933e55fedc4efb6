#pragma once
// The Kavro tuner driver's two private property sets, as the driver kit
// declares them: the set identifiers, every property id, and every payload
// laid out byte by byte.
//
// The PCI-E cards (N71, N72 tuners A and B) answer the BDA extension set on
// the tuner filter's input pin "Input0"; the USB box (U31) answers the control
// set on the tuner filter itself. Both are reached through IKsPropertySet.
//
// All multi-byte fields are little-endian (LittleEndian<T>); every structure
// has alignment 1 and exactly the size the driver checks. Unless a property
// says otherwise, Get and Set pass the same buffer as instance data and as
// value, with the same size.
#include "platform/com/Guid.h"
#include "platform/com/WinTypes.h"
#include "platform/driver/LittleEndian.h"

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Property sets

// BDA extension set: on the tuner's input pin of the PCI-E cards.
inline constexpr GUID KSPROPSETID_BDA_EXTENSION = GuidLiteral("{FAA8F3E5-31D4-4E41-88EF-D9EB716F6EC9}");
// Control set: on the tuner filter of the USB box.
inline constexpr GUID KSPROPSETID_CTRL_EXTENSION = GuidLiteral("{C6EFE5EB-855A-4F1B-B7AA-87B5E1DC4113}");

// ---------------------------------------------------------------------------
// Control set properties

// Support query only: answering it marks the USB box.
inline constexpr ULONG KSPROPERTY_CTRL_PROBE = 1;
// Set: one raw DiSEqC message; no instance data, value = TuningBlock (288),
// message bytes from TuningBlock::diseqcBytes. S_OK means it was put on the bus.
inline constexpr ULONG KSPROPERTY_CTRL_DISEQC = 3;
// Get: StreamInfo (72) as instance data and value.
inline constexpr ULONG KSPROPERTY_CTRL_GET_MEDIAINFO = 15;
// Set: GoldCodeParams (264).
inline constexpr ULONG KSPROPERTY_CTRL_GOLDCODE = 20;
// Set: ModcodList (1348).
inline constexpr ULONG KSPROPERTY_CTRL_MODCODES = 21;

// ---------------------------------------------------------------------------
// BDA extension set properties

// Set: DiseqcMessage (11). S_OK means the message was put on the bus.
inline constexpr ULONG KSPROPERTY_BDA_DISEQC = 0;
// Get: StreamInfo (72).
inline constexpr ULONG KSPROPERTY_BDA_GET_MEDIAINFO = 12;
// Get and set: StreamTypeParams (2).
inline constexpr ULONG KSPROPERTY_BDA_STREAMTYPE_PARAMS = 13;
// Set: InputStreamRecord (72, the StreamInfo layout; only inputStreamId counts).
inline constexpr ULONG KSPROPERTY_BDA_INPUTMULTISTREAMID = 14;
// Set: GoldCodeParams (264).
inline constexpr ULONG KSPROPERTY_BDA_GOLDCODE = 23;
// Set: ModcodList (1348).
inline constexpr ULONG KSPROPERTY_BDA_MODCODES = 24;

// ---------------------------------------------------------------------------
// Payloads

// One raw DiSEqC message for KSPROPERTY_BDA_DISEQC.
struct DiseqcMessage {
    std::uint8_t bytes[10]; // framing byte first; bytes after the message are 0
    std::uint8_t length;    // message length in bytes, 1 to 10
};
static_assert(sizeof(DiseqcMessage) == 11 && alignof(DiseqcMessage) == 1);
static_assert(offsetof(DiseqcMessage, bytes) == 0);
static_assert(offsetof(DiseqcMessage, length) == 10);

// The tuning block: what the program tunes with, and the value of every
// KSPROPERTY_CTRL_DISEQC set. It carries no message length: the driver finds
// it from the message's command byte.
struct TuningBlock {
    LE_ULONG frequencyMhz;         // transponder frequency, MHz
    LE_ULONG lnbLowMhz;            // LNB low-band local oscillator, MHz
    LE_ULONG lnbHighMhz;           // LNB high-band local oscillator, MHz
    LE_ULONG symbolRateKsps;       // symbol rate, kSps
    std::uint8_t polarity;         // 0 horizontal; any other value vertical (0xFF: none chosen)
    std::uint8_t header[3];        // always 1, 0, 2
    std::uint8_t diseqcPort;       // 0 none, 1 to 4 ports A to D
    std::uint8_t diseqcBytes[267]; // raw DiSEqC message, framing byte first
};
static_assert(sizeof(TuningBlock) == 288 && alignof(TuningBlock) == 1);
static_assert(offsetof(TuningBlock, frequencyMhz) == 0);
static_assert(offsetof(TuningBlock, lnbLowMhz) == 4);
static_assert(offsetof(TuningBlock, lnbHighMhz) == 8);
static_assert(offsetof(TuningBlock, symbolRateKsps) == 12);
static_assert(offsetof(TuningBlock, polarity) == 16);
static_assert(offsetof(TuningBlock, header) == 17);
static_assert(offsetof(TuningBlock, diseqcPort) == 20);
static_assert(offsetof(TuningBlock, diseqcBytes) == 21);

// Output stream type for KSPROPERTY_BDA_STREAMTYPE_PARAMS.
struct StreamTypeParams {
    std::uint8_t ts; // non-zero: the card outputs an MPEG transport stream
    std::uint8_t gs; // non-zero: the card outputs a generic stream
};
static_assert(sizeof(StreamTypeParams) == 2 && alignof(StreamTypeParams) == 1);
static_assert(offsetof(StreamTypeParams, ts) == 0);
static_assert(offsetof(StreamTypeParams, gs) == 1);

// Physical-layer scrambling sequence for KSPROPERTY_BDA_GOLDCODE and
// KSPROPERTY_CTRL_GOLDCODE. Root code 1 and gold code 0 name the same default
// sequence.
inline constexpr std::uint32_t GOLDCODE_TYPE_ROOT = 0;
inline constexpr std::uint32_t GOLDCODE_TYPE_GOLD = 1;
struct GoldCodeParams {
    LE_LONG code;               // scrambling code value, as entered
    LE_ULONG codeType;          // GOLDCODE_TYPE_ROOT or GOLDCODE_TYPE_GOLD
    std::uint8_t reserved[256]; // zero
};
static_assert(sizeof(GoldCodeParams) == 264 && alignof(GoldCodeParams) == 1);
static_assert(offsetof(GoldCodeParams, code) == 0);
static_assert(offsetof(GoldCodeParams, codeType) == 4);
static_assert(offsetof(GoldCodeParams, reserved) == 8);

// One accepted MODCOD with its two qualifiers. The driver reads the first as
// pilots (1 on) and the second as frame length (1 short frame).
struct ModcodEntry {
    LE_ULONG modcod;     // DVB-S2 MODCOD, 1 (QPSK 1/4) to 28 (32APSK 9/10)
    LE_ULONG qualifier1; // 0 or 1: pilots
    LE_ULONG qualifier2; // 0 or 1: short frame
};
static_assert(sizeof(ModcodEntry) == 12 && alignof(ModcodEntry) == 1);
static_assert(offsetof(ModcodEntry, modcod) == 0);
static_assert(offsetof(ModcodEntry, qualifier1) == 4);
static_assert(offsetof(ModcodEntry, qualifier2) == 8);

// The MODCOD filter for KSPROPERTY_BDA_MODCODES and KSPROPERTY_CTRL_MODCODES.
inline constexpr std::uint32_t MODCOD_LIST_CAPACITY = 112;
struct ModcodList {
    LE_ULONG count;                            // valid entries, 0 to 112
    ModcodEntry entries[MODCOD_LIST_CAPACITY]; // entries at and after count are zero
};
static_assert(sizeof(ModcodList) == 1348 && alignof(ModcodList) == 1);
static_assert(offsetof(ModcodList, count) == 0);
static_assert(offsetof(ModcodList, entries) == 4);

// Values of StreamInfo fields.
inline constexpr std::uint32_t STREAMINFO_STANDARD_DVBS = 0;
inline constexpr std::uint32_t STREAMINFO_STANDARD_DVBS2 = 1;
inline constexpr std::uint32_t STREAMINFO_MODULATION_QPSK = 0;
inline constexpr std::uint32_t STREAMINFO_MODULATION_8PSK = 1;
inline constexpr std::uint32_t STREAMINFO_MODULATION_16APSK = 2;
inline constexpr std::uint32_t STREAMINFO_MODULATION_32APSK = 3;
inline constexpr std::uint32_t STREAMINFO_TSGS_GENERIC_PACKETIZED = 0;
inline constexpr std::uint32_t STREAMINFO_TSGS_GENERIC_CONTINUOUS = 1;
inline constexpr std::uint32_t STREAMINFO_TSGS_TRANSPORT = 3;
inline constexpr std::uint32_t STREAMINFO_ROLLOFF_035 = 0;
inline constexpr std::uint32_t STREAMINFO_ROLLOFF_025 = 1;
inline constexpr std::uint32_t STREAMINFO_ROLLOFF_020 = 2;

// The demodulator's media information record, returned by
// KSPROPERTY_BDA_GET_MEDIAINFO and KSPROPERTY_CTRL_GET_MEDIAINFO. The get
// passes the caller's previous reply as instance data.
struct StreamInfo {
    LE_ULONG ifFrequencyKhz; // intermediate frequency, kHz
    LE_ULONG symbolRate;     // symbols per second
    LE_ULONG standard;       // STREAMINFO_STANDARD_*
    LE_ULONG modcod;         // DVB-S2 MODCOD 0 to 31 (0 dummy frame)
    LE_ULONG codeRate;       // DVB-S code rate: 0 1/2, 1 2/3, 2 3/4, 3 4/5, 4 5/6, 5 6/7, 6 7/8, 7 8/9
    LE_ULONG modulation;     // STREAMINFO_MODULATION_*
    LE_ULONG tsGs;           // STREAMINFO_TSGS_*: TS/GS field of MATYPE-1
    LE_ULONG singleStream;   // non-zero single input stream, 0 multiple
    LE_ULONG constantCoding; // non-zero CCM, 0 ACM
    LE_ULONG issyi;          // 1: input stream synchronisation on
    LE_ULONG npd;            // 1: null-packet deletion on
    LE_ULONG rollOff;        // STREAMINFO_ROLLOFF_*
    LE_ULONG inputStreamId;  // input stream identifier
    LE_ULONG matype1;        // MATYPE-1 byte (low 8 bits)
    LE_ULONG matype2;        // MATYPE-2 byte (low 8 bits)
    LE_ULONG spectrum;       // 1: inverted (I/Q swapped)
    LE_ULONG pilots;         // 1: pilots on
    LE_ULONG frame;          // 1: short frame
};
static_assert(sizeof(StreamInfo) == 72 && alignof(StreamInfo) == 1);
static_assert(offsetof(StreamInfo, ifFrequencyKhz) == 0);
static_assert(offsetof(StreamInfo, symbolRate) == 4);
static_assert(offsetof(StreamInfo, standard) == 8);
static_assert(offsetof(StreamInfo, modcod) == 12);
static_assert(offsetof(StreamInfo, codeRate) == 16);
static_assert(offsetof(StreamInfo, modulation) == 20);
static_assert(offsetof(StreamInfo, tsGs) == 24);
static_assert(offsetof(StreamInfo, singleStream) == 28);
static_assert(offsetof(StreamInfo, constantCoding) == 32);
static_assert(offsetof(StreamInfo, issyi) == 36);
static_assert(offsetof(StreamInfo, npd) == 40);
static_assert(offsetof(StreamInfo, rollOff) == 44);
static_assert(offsetof(StreamInfo, inputStreamId) == 48);
static_assert(offsetof(StreamInfo, matype1) == 52);
static_assert(offsetof(StreamInfo, matype2) == 56);
static_assert(offsetof(StreamInfo, spectrum) == 60);
static_assert(offsetof(StreamInfo, pilots) == 64);
static_assert(offsetof(StreamInfo, frame) == 68);

// The record of KSPROPERTY_BDA_INPUTMULTISTREAMID: the StreamInfo layout with
// only inputStreamId filled, every other byte zero.
using InputStreamRecord = StreamInfo;
