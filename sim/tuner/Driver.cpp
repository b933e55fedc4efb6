#include "sim/tuner/Driver.h"

#include "platform/com/Journal.h"
#include "platform/driver/KavroProperties.h"
#include "sim/tuner/DiseqcFrame.h"
#include "sim/tuner/ScramblingCode.h"

#include <cstring>
#include <string>

namespace sim {

struct Driver::Property {
    PropertySet set;
    ULONG id;
    bool get;
    bool set_;
    DWORD instanceSize;
    DWORD valueSize;
};

namespace {

using Property = Driver::Property;

const Driver::Property kProperties[] = {
    {PropertySet::Ctrl, KSPROPERTY_CTRL_PROBE, true, false, 0, 0},
    {PropertySet::Ctrl, KSPROPERTY_CTRL_DISEQC, false, true, 0, sizeof(TuningBlock)},
    {PropertySet::Ctrl, KSPROPERTY_CTRL_GET_MEDIAINFO, true, false, sizeof(StreamInfo), sizeof(StreamInfo)},
    {PropertySet::Ctrl, KSPROPERTY_CTRL_GOLDCODE, false, true, sizeof(GoldCodeParams), sizeof(GoldCodeParams)},
    {PropertySet::Ctrl, KSPROPERTY_CTRL_MODCODES, false, true, sizeof(ModcodList), sizeof(ModcodList)},
    {PropertySet::Bda, KSPROPERTY_BDA_DISEQC, false, true, sizeof(DiseqcMessage), sizeof(DiseqcMessage)},
    {PropertySet::Bda, KSPROPERTY_BDA_GET_MEDIAINFO, true, false, sizeof(StreamInfo), sizeof(StreamInfo)},
    {PropertySet::Bda, KSPROPERTY_BDA_STREAMTYPE_PARAMS, true, true, sizeof(StreamTypeParams),
     sizeof(StreamTypeParams)},
    {PropertySet::Bda, KSPROPERTY_BDA_INPUTMULTISTREAMID, false, true, sizeof(InputStreamRecord),
     sizeof(InputStreamRecord)},
    {PropertySet::Bda, KSPROPERTY_BDA_GOLDCODE, false, true, sizeof(GoldCodeParams), sizeof(GoldCodeParams)},
    {PropertySet::Bda, KSPROPERTY_BDA_MODCODES, false, true, sizeof(ModcodList), sizeof(ModcodList)},
};

std::optional<PropertySet> SetOf(REFGUID set)
{
    if (set == KSPROPSETID_BDA_EXTENSION) return PropertySet::Bda;
    if (set == KSPROPSETID_CTRL_EXTENSION) return PropertySet::Ctrl;
    return std::nullopt;
}

std::string SetName(REFGUID set)
{
    const auto known = SetOf(set);
    return known ? PropertySetName(*known) : GuidToString(set);
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

HRESULT ScramblingFrom(const GoldCodeParams& params, std::uint32_t* gold)
{
    const std::int32_t code = params.code;
    if (params.codeType == GOLDCODE_TYPE_GOLD) {
        if (code < 0 || static_cast<std::uint32_t>(code) > kMaxGoldCode) return E_INVALIDARG;
        *gold = static_cast<std::uint32_t>(code);
        return S_OK;
    }
    if (params.codeType == GOLDCODE_TYPE_ROOT) {
        if (code < 1 || static_cast<std::uint32_t>(code) > kMaxRootCode) return E_INVALIDARG;
        *gold = RootToGold(static_cast<std::uint32_t>(code));
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT FilterFrom(const ModcodList& list, ModcodFilter* filter)
{
    const std::uint32_t count = list.count;
    if (count > MODCOD_LIST_CAPACITY) return E_INVALIDARG;
    filter->reset();
    for (std::uint32_t i = 0; i < count; ++i) {
        const ModcodEntry& entry = list.entries[i];
        const std::uint32_t modcod = entry.modcod;
        const std::uint32_t pilots = entry.qualifier1;
        const std::uint32_t shortFrame = entry.qualifier2;
        if (modcod < 1 || modcod > 28 || pilots > 1 || shortFrame > 1) return E_INVALIDARG;
        filter->set(ModcodFilterBit(static_cast<int>(modcod), pilots != 0, shortFrame != 0));
    }
    return S_OK;
}

} // namespace

Driver::Driver(Demodulator& demodulator, PropertyModes modes) : m_demodulator(demodulator), m_modes(modes) {}

const Driver::Property* Driver::Find(REFGUID set, DWORD id, HRESULT* failure) const
{
    const auto known = SetOf(set);
    if (!known) {
        *failure = kPropSetUnsupported;
        return nullptr;
    }
    for (const auto& property : kProperties) {
        if (property.set == *known && property.id == id) {
            if (m_modes.Mode(*known, id) == PropertyMode::Unsupported) {
                break;
            }
            *failure = S_OK;
            return &property;
        }
    }
    *failure = kPropIdUnsupported;
    return nullptr;
}

HRESULT Driver::QuerySupported(REFGUID set, DWORD id, DWORD* typeSupport)
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

HRESULT Driver::Get(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, void* value, DWORD valueSize,
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
        } else if (m_modes.Mode(property->set, id) == PropertyMode::Fail) {
            hr = E_FAIL;
        } else if (FAILED(hr = CheckSize(instanceSize, property->instanceSize))) {
        } else if (FAILED(hr = CheckSize(valueSize, property->valueSize))) {
            *returned = property->valueSize; // tells the caller what it takes
        } else {
            hr = DoGet(*property, value, &written);
            *returned = written;
            if (SUCCEEDED(hr) && m_modes.Mode(property->set, id) == PropertyMode::Positive) {
                hr = S_FALSE;
            }
        }
    }
    if (JournalEnabled()) {
        JournalWrite("ks get " + SetName(set) + " " + std::to_string(id) +
                     " inst=" + JournalHex(instance, instance ? instanceSize : 0) + " -> " + JournalResult(hr) +
                     " value=" + JournalHex(value, SUCCEEDED(hr) ? written : 0));
    }
    return hr;
}

HRESULT Driver::Set(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, const void* value, DWORD valueSize)
{
    HRESULT hr = S_OK;
    const Property* property = Find(set, id, &hr);
    if (property && !property->set_) {
        hr = kPropIdUnsupported;
    } else if (property) {
        if ((instanceSize && !instance) || (valueSize && !value)) {
            hr = E_POINTER;
        } else if (m_modes.Mode(property->set, id) == PropertyMode::Fail) {
            hr = E_FAIL;
        } else if (FAILED(hr = CheckSize(instanceSize, property->instanceSize))) {
        } else if (FAILED(hr = CheckSize(valueSize, property->valueSize))) {
        } else {
            hr = DoSet(*property, value);
            if (SUCCEEDED(hr) && m_modes.Mode(property->set, id) == PropertyMode::Positive) {
                hr = S_FALSE;
            }
        }
    }
    if (JournalEnabled()) {
        JournalWrite("ks set " + SetName(set) + " " + std::to_string(id) +
                     " inst=" + JournalHex(instance, instance ? instanceSize : 0) +
                     " value=" + JournalHex(value, value ? valueSize : 0) + " -> " + JournalResult(hr));
    }
    return hr;
}

HRESULT Driver::DoGet(const Property& property, void* value, DWORD* returned)
{
    // The ids of the two sets do not overlap, so the id alone names the property.
    switch (property.id) {
    case KSPROPERTY_CTRL_PROBE: // answers that it is there, with no data
        *returned = 0;
        return S_OK;
    case KSPROPERTY_BDA_GET_MEDIAINFO:
    case KSPROPERTY_CTRL_GET_MEDIAINFO: {
        const StreamInfo info = m_demodulator.MediaInfo();
        std::memcpy(value, &info, sizeof info);
        *returned = sizeof info;
        return S_OK;
    }
    case KSPROPERTY_BDA_STREAMTYPE_PARAMS: {
        const StreamTypeParams params = m_demodulator.OutputStreamType();
        std::memcpy(value, &params, sizeof params);
        *returned = sizeof params;
        return S_OK;
    }
    default:
        break;
    }
    return kPropIdUnsupported;
}

HRESULT Driver::DoSet(const Property& property, const void* value)
{
    // The ids of the two sets do not overlap, so the id alone names the property.
    switch (property.id) {
    case KSPROPERTY_BDA_DISEQC: {
        const auto message = Read<DiseqcMessage>(value);
        if (message.length < 1 || message.length > sizeof message.bytes) return E_INVALIDARG;
        m_demodulator.SendDiseqc(message.bytes, message.length);
        return S_OK;
    }
    case KSPROPERTY_CTRL_DISEQC: {
        // The block carries no length: the command byte tells it. An unknown
        // command goes out as its three header bytes, which the bus ignores.
        const auto block = Read<TuningBlock>(value);
        const std::size_t length = DiseqcLengthOf(block.diseqcBytes[2]).value_or(3);
        m_demodulator.SendDiseqc(block.diseqcBytes, length);
        return S_OK;
    }
    case KSPROPERTY_BDA_STREAMTYPE_PARAMS: {
        const auto params = Read<StreamTypeParams>(value);
        if ((params.ts != 0) == (params.gs != 0)) return E_INVALIDARG; // exactly one output
        m_demodulator.SetOutputTransportStream(params.ts != 0);
        return S_OK;
    }
    case KSPROPERTY_BDA_INPUTMULTISTREAMID: {
        const std::uint32_t id = Read<InputStreamRecord>(value).inputStreamId;
        if (id > 255) return E_INVALIDARG;
        m_demodulator.SetInputStreamId(static_cast<int>(id));
        return S_OK;
    }
    case KSPROPERTY_BDA_GOLDCODE:
    case KSPROPERTY_CTRL_GOLDCODE: {
        std::uint32_t gold = 0;
        const HRESULT hr = ScramblingFrom(Read<GoldCodeParams>(value), &gold);
        if (SUCCEEDED(hr)) m_demodulator.SetScrambling(gold);
        return hr;
    }
    case KSPROPERTY_BDA_MODCODES:
    case KSPROPERTY_CTRL_MODCODES: {
        ModcodFilter filter;
        const HRESULT hr = FilterFrom(Read<ModcodList>(value), &filter);
        if (SUCCEEDED(hr)) m_demodulator.SetModcodFilter(filter);
        return hr;
    }
    default:
        break;
    }
    return kPropIdUnsupported;
}

} // namespace sim
