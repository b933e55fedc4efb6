#pragma once
// Filling the driver's payloads (KavroProperties.h) the way every caller must:
// unused bytes zero, multi-byte fields little-endian. Pure; any thread.
#include "platform/com/WinTypes.h"
#include "platform/driver/KavroProperties.h"

#include <cstddef>

// The 11-byte record of KSPROPERTY_BDA_DISEQC: the message bytes, zeros after
// them, the length in the last byte. False, message untouched, for a null
// message or a length outside 1..10.
bool MakeDiseqcMessage(const BYTE* bytes, std::size_t length, DiseqcMessage& message);

// Writes a DiSEqC message into the tuning block from byte 21 on (as
// KSPROPERTY_CTRL_DISEQC carries it); the bytes after it keep their content.
// False, block untouched, for a null message or a length outside 1..267.
bool PutDiseqcBytes(TuningBlock& block, const BYTE* bytes, std::size_t length);

// Stream type flags: TS 1 GS 0 for a transport stream, TS 0 GS 1 otherwise.
StreamTypeParams MakeStreamTypeParams(bool transportStream);

// A scrambling code as entered, of type GOLDCODE_TYPE_ROOT or _GOLD; the
// reserved bytes zero.
GoldCodeParams MakeGoldCodeParams(LONG code, std::uint32_t codeType);

// The record of KSPROPERTY_BDA_INPUTMULTISTREAMID: only the input stream
// identifier set, every other byte zero.
InputStreamRecord MakeInputStreamRecord(std::uint32_t inputStreamId);
