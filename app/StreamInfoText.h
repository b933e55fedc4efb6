#pragma once
// The texts the main window shows for the driver's media information record
// (StreamInfo): one function per field, each the fixed English literal the
// panel displays. Pure: no Qt, no COM; any thread.
#include "platform/driver/KavroProperties.h"

#include <cstdint>
#include <string>

// DVB-S2 code rate by MODCOD number (1-28 as DVB-S2 numbers them, rate only):
// 0 "NULL", 29 "UNKNOW", anything above 29 "NULL".
const wchar_t* Dvbs2CodeRateText(std::uint32_t modcod);
// DVB-S code rate by index: 0 "1/2" ... 7 "8/9", 8 "UNKNOWN", above "NULL".
const wchar_t* DvbsCodeRateText(std::uint32_t index);
// 0 "QPSK", 1 "8PSK", 2 "16APSK", 3 "32APSK", other "UNKNOWN".
const wchar_t* ModulationText(std::uint32_t modulation);
// The TS/GS field: 0 generic packetized, 1 generic continuous, 3 transport,
// other "RESERVED_STREAM".
const wchar_t* StreamTypeText(std::uint32_t tsGs);
// Non-zero "SINGLE_INPUT_STREAM", 0 "MULTIPLE_INPUT_STREAM".
const wchar_t* InputStreamText(std::uint32_t singleStream);
// Non-zero "CCM", 0 "ACM".
const wchar_t* CodingText(std::uint32_t constantCoding);
// 1 "ISSYI_ENABLED", other "ISSYI_DISABLED".
const wchar_t* InputSyncText(std::uint32_t issyi);
// 1 "NPD_ENABLED", other "NPD_DISABLED".
const wchar_t* NullPacketText(std::uint32_t npd);
// 0 "0.35", 1 "0.25", 2 "0.20", other "RESERVED".
const wchar_t* RollOffText(std::uint32_t rollOff);
// 1 "IQ_SWAPPED", other "IQ_NORMAL".
const wchar_t* SpectrumText(std::uint32_t spectrum);
// 1 "Pilots On", other "Pilots Off".
const wchar_t* PilotsText(std::uint32_t pilots);
// 1 "Short Frame", other "Long Frame".
const wchar_t* FrameLengthText(std::uint32_t frame);
// 1 "DVB-S2", 0 "DVB-S1"; any other standard has no text (nullptr): the
// panel then leaves its standard text as it was.
const wchar_t* StandardText(std::uint32_t standard);
// The code rate for the record's standard: the DVB-S2 table by MODCOD for
// standard 1, the DVB-S table by index for 0, and empty for any other
// standard, whose code rate cannot be told.
std::wstring CodeRateText(const StreamInfo& info);
// MATYPE-1 and MATYPE-2 as two hexadecimal numbers of at least two digits,
// upper case, two blanks between: "F2  00".
std::wstring MatypeText(std::uint32_t matype1, std::uint32_t matype2);
// An unsigned field as a signed decimal, as the panel prints it ("%d").
std::wstring DecimalText(std::uint32_t value);
