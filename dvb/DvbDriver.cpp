#include "dvb/DvbDriver.h"

#include "dvb/DvbTuning.h"
#include "platform/com/Journal.h"
#include "platform/driver/KavroProperties.h"

#include <cstring>
#include <optional>
#include <string>

namespace dvb {

struct DvbDriver::Property {
    DriverSet set;
    ULONG id;
    bool get;
    bool set_;
    DWORD instanceSize;
    DWORD valueSize;
};

namespace {

using Property = DvbDriver::Property;

// The MODCOD filter (BDA 24, CTRL 21) is missing on purpose: the DVB API has
// no MODCOD filter, so the program hears that the card does not offer it.
const Property kProperties[] = {
    {DriverSet::Ctrl, KSPROPERTY_CTRL_PROBE, true, false, 0, 0},
    {DriverSet::Ctrl, KSPROPERTY_CTRL_DISEQC, false, true, 0, sizeof(TuningBlock)},
    {DriverSet::Ctrl, KSPROPERTY_CTRL_GET_MEDIAINFO, true, false, sizeof(StreamInfo), sizeof(StreamInfo)},
    {DriverSet::Ctrl, KSPROPERTY_CTRL_GOLDCODE, false, true, sizeof(GoldCodeParams), sizeof(GoldCodeParams)},
    {DriverSet::Bda, KSPROPERTY_BDA_DISEQC, false, true, sizeof(DiseqcMessage), sizeof(DiseqcMessage)},
    {DriverSet::Bda, KSPROPERTY_BDA_GET_MEDIAINFO, true, false, sizeof(StreamInfo), sizeof(StreamInfo)},
    {DriverSet::Bda, KSPROPERTY_BDA_STREAMTYPE_PARAMS, true, true, sizeof(StreamTypeParams), sizeof(StreamTypeParams)},
    {DriverSet::Bda, KSPROPERTY_BDA_INPUTMULTISTREAMID, false, true, sizeof(InputStreamRecord),
     sizeof(InputStreamRecord)},
    {DriverSet::Bda, KSPROPERTY_BDA_GOLDCODE, false, true, sizeof(GoldCodeParams), sizeof(GoldCodeParams)},
};

std::optional<DriverSet> SetOf(REFGUID set)
{
    if (set == KSPROPSETID_BDA_EXTENSION) return DriverSet::Bda;
    if (set == KSPROPSETID_CTRL_EXTENSION) return DriverSet::Ctrl;
    return std::nullopt;
}

std::string SetName(REFGUID set)
{
    const auto known = SetOf(set);
    if (!known) return GuidToString(set);
    return *known == DriverSet::Bda ? "BDA" : "CTRL";
}

HRESULT CheckSize(DWORD given, DWORD wanted)
{
    if (given < wanted) return kBufferTooSmall;
    if (given > wanted) return E_INVALIDARG;
    return S_OK;
}

template <class T>
T Read(const void* value)
{
    T payload;
    std::memcpy(&payload, value, sizeof payload);
    return payload;
}

// The length of a master command from its command byte (DiSEqC 1.0 and the
// positioner commands of 1.2); the control set's block carries no length.
std::size_t DiseqcLength(std::uint8_t command)
{
    switch (command) {
    case 0x38: // committed switches
    case 0x39: // uncommitted switches
    case 0x68: // drive east
    case 0x69: // drive west
    case 0x6A: // store position
    case 0x6B: // goto position
        return 4;
    case 0x6E: // goto angle
        return 5;
    default:
        return 3; // reset, standby, halt, limits, and any command unknown here
    }
}

HRESULT GoldFrom(const GoldCodeParams& params, std::uint32_t* gold)
{
    const std::int32_t code = params.code;
    if (params.codeType == GOLDCODE_TYPE_GOLD) {
        if (code < 0 || static_cast<std::uint32_t>(code) > kMaxGoldCode) return E_INVALIDARG;
        *gold = static_cast<std::uint32_t>(code);
        return S_OK;
    }
    if (params.codeType == GOLDCODE_TYPE_ROOT && code > 0) {
        if (const auto converted = GoldFromRoot(static_cast<std::uint32_t>(code))) {
            *gold = *converted;
            return S_OK;
        }
    }
    return E_INVALIDARG;
}

} // namespace

DvbDriver::DvbDriver(std::shared_ptr<DvbFrontend> frontend, DriverSet set) : m_frontend(std::move(frontend)), m_set(set)
{}

const DvbDriver::Property* DvbDriver::Find(REFGUID set, DWORD id, HRESULT* failure) const
{
    const auto known = SetOf(set);
    if (!known) {
        *failure = kPropSetUnsupported;
        return nullptr;
    }
    if (*known == m_set) {
        for (const auto& property : kProperties) {
            if (property.set == *known && property.id == id) {
                *failure = S_OK;
                return &property;
            }
        }
    }
    *failure = kPropIdUnsupported;
    return nullptr;
}

HRESULT DvbDriver::QuerySupported(REFGUID set, DWORD id, DWORD* typeSupport)
{
    HRESULT hr = S_OK;
    const Property* property = Find(set, id, &hr);
    if (property) {
        if (!typeSupport) {
            hr = E_POINTER;
        } else {
            *typeSupport = (property->get ? kSupportGet : 0) | (property->set_ ? kSupportSet : 0);
        }
    }
    if (JournalEnabled()) {
        JournalWrite("ks query " + SetName(set) + " " + std::to_string(id) + " -> " + JournalResult(hr));
    }
    return hr;
}

HRESULT DvbDriver::Get(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, void* value, DWORD valueSize,
                       DWORD* returned)
{
    DWORD written = 0;
    HRESULT hr = S_OK;
    const Property* property = Find(set, id, &hr);
    if (property && !property->get) {
        hr = kPropIdUnsupported;
    } else if (property) {
        if ((instanceSize && !instance) || (valueSize && !value) || !returned) {
            hr = E_POINTER;
        } else if (FAILED(hr = CheckSize(instanceSize, property->instanceSize))) {
        } else if (FAILED(hr = CheckSize(valueSize, property->valueSize))) {
            *returned = property->valueSize;
        } else {
            hr = DoGet(*property, value, &written);
            *returned = written;
        }
    }
    if (JournalEnabled()) {
        JournalWrite("ks get " + SetName(set) + " " + std::to_string(id) +
                     " inst=" + JournalHex(instance, instance ? instanceSize : 0) + " -> " + JournalResult(hr) +
                     " value=" + JournalHex(value, SUCCEEDED(hr) ? written : 0));
    }
    return hr;
}

HRESULT DvbDriver::Set(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, const void* value,
                       DWORD valueSize)
{
    HRESULT hr = S_OK;
    const Property* property = Find(set, id, &hr);
    if (property && !property->set_) {
        hr = kPropIdUnsupported;
    } else if (property) {
        if ((instanceSize && !instance) || (valueSize && !value)) {
            hr = E_POINTER;
        } else if (FAILED(hr = CheckSize(instanceSize, property->instanceSize))) {
        } else if (FAILED(hr = CheckSize(valueSize, property->valueSize))) {
        } else {
            hr = DoSet(*property, value);
        }
    }
    if (JournalEnabled()) {
        JournalWrite("ks set " + SetName(set) + " " + std::to_string(id) +
                     " inst=" + JournalHex(instance, instance ? instanceSize : 0) +
                     " value=" + JournalHex(value, value ? valueSize : 0) + " -> " + JournalResult(hr));
    }
    return hr;
}

HRESULT DvbDriver::DoGet(const Property& property, void* value, DWORD* returned)
{
    switch (property.id) {
    case KSPROPERTY_CTRL_PROBE:
        *returned = 0;
        return S_OK;
    case KSPROPERTY_BDA_GET_MEDIAINFO:
    case KSPROPERTY_CTRL_GET_MEDIAINFO: {
        const StreamInfo info = m_frontend->MediaInfo();
        std::memcpy(value, &info, sizeof info);
        *returned = sizeof info;
        return S_OK;
    }
    case KSPROPERTY_BDA_STREAMTYPE_PARAMS: {
        const StreamTypeParams params{1, 0}; // the DVR device carries a transport stream
        std::memcpy(value, &params, sizeof params);
        *returned = sizeof params;
        return S_OK;
    }
    default:
        break;
    }
    return kPropIdUnsupported;
}

HRESULT DvbDriver::DoSet(const Property& property, const void* value)
{
    switch (property.id) {
    case KSPROPERTY_BDA_DISEQC: {
        const auto message = Read<DiseqcMessage>(value);
        if (message.length < 1 || message.length > sizeof message.bytes) return E_INVALIDARG;
        return m_frontend->SendDiseqc(message.bytes, message.length);
    }
    case KSPROPERTY_CTRL_DISEQC: {
        const auto block = Read<TuningBlock>(value);
        return m_frontend->SendDiseqc(block.diseqcBytes, DiseqcLength(block.diseqcBytes[2]));
    }
    case KSPROPERTY_BDA_STREAMTYPE_PARAMS: {
        const auto params = Read<StreamTypeParams>(value);
        if ((params.ts != 0) == (params.gs != 0)) return E_INVALIDARG;
        // A generic stream never leaves a DVB frontend's demultiplexer.
        return params.ts ? S_OK : kPropIdUnsupported;
    }
    case KSPROPERTY_BDA_INPUTMULTISTREAMID: {
        const std::uint32_t id = Read<InputStreamRecord>(value).inputStreamId;
        if (id > 255) return E_INVALIDARG;
        return m_frontend->SetStreamId(id);
    }
    case KSPROPERTY_BDA_GOLDCODE:
    case KSPROPERTY_CTRL_GOLDCODE: {
        std::uint32_t gold = 0;
        const HRESULT hr = GoldFrom(Read<GoldCodeParams>(value), &gold);
        return SUCCEEDED(hr) ? m_frontend->SetScramblingIndex(gold) : hr;
    }
    default:
        break;
    }
    return kPropIdUnsupported;
}

} // namespace dvb
