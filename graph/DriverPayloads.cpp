#include "graph/DriverPayloads.h"

#include <algorithm>

bool MakeDiseqcMessage(const BYTE* bytes, std::size_t length, DiseqcMessage& message)
{
    if (!bytes || length < 1 || length > sizeof(message.bytes)) {
        return false;
    }
    message = DiseqcMessage{};
    std::copy_n(bytes, length, message.bytes);
    message.length = static_cast<std::uint8_t>(length);
    return true;
}

bool PutDiseqcBytes(TuningBlock& block, const BYTE* bytes, std::size_t length)
{
    if (!bytes || length < 1 || length > sizeof(block.diseqcBytes)) {
        return false;
    }
    std::copy_n(bytes, length, block.diseqcBytes);
    return true;
}

StreamTypeParams MakeStreamTypeParams(bool transportStream)
{
    StreamTypeParams params{};
    params.ts = transportStream ? 1 : 0;
    params.gs = transportStream ? 0 : 1;
    return params;
}

GoldCodeParams MakeGoldCodeParams(LONG code, std::uint32_t codeType)
{
    GoldCodeParams params{};
    params.code = code;
    params.codeType = codeType;
    return params;
}

InputStreamRecord MakeInputStreamRecord(std::uint32_t inputStreamId)
{
    InputStreamRecord record{};
    record.inputStreamId = inputStreamId;
    return record;
}
