#include "filterbase/MediaTypeValue.h"
#include "filterbase/MediaTypeFunctions.h"

#include "platform/com/TaskMem.h"

#include <cstring>

MediaTypeValue::MediaTypeValue() : AM_MEDIA_TYPE() { Initialise(*this); }

MediaTypeValue::MediaTypeValue(const GUID& majorType) : MediaTypeValue() { majortype = majorType; }

MediaTypeValue::~MediaTypeValue() { Free(); }

MediaTypeValue::MediaTypeValue(MediaTypeValue&& other) noexcept : AM_MEDIA_TYPE() { other.MoveTo(*this); }

MediaTypeValue& MediaTypeValue::operator=(MediaTypeValue&& other) noexcept
{
    if (this != &other) {
        Free();
        other.MoveTo(*this);
    }
    return *this;
}

HRESULT MediaTypeValue::Assign(const AM_MEDIA_TYPE& other)
{
    if (this == &other) {
        return S_OK;
    }
    Free();
    return CopyMediaType(this, &other);
}

void MediaTypeValue::Free() { FreeMediaType(*this); }

HRESULT MediaTypeValue::SetFormat(const void* data, ULONG size)
{
    BYTE* block = nullptr;
    if (size != 0) {
        if (!data) {
            return E_POINTER;
        }
        block = static_cast<BYTE*>(CoTaskMemAlloc(size));
        if (!block) {
            return E_OUTOFMEMORY;
        }
        std::memcpy(block, data, size);
    }
    CoTaskMemFree(pbFormat);
    pbFormat = block;
    cbFormat = size;
    return S_OK;
}

void MediaTypeValue::MoveTo(AM_MEDIA_TYPE& target)
{
    target = *this;
    Initialise(*this);
}

bool MediaTypeValue::Equals(const AM_MEDIA_TYPE& other) const
{
    if (majortype != other.majortype || subtype != other.subtype || formattype != other.formattype ||
        cbFormat != other.cbFormat) {
        return false;
    }
    return cbFormat == 0 || (pbFormat && other.pbFormat && std::memcmp(pbFormat, other.pbFormat, cbFormat) == 0);
}

void MediaTypeValue::Initialise(AM_MEDIA_TYPE& type)
{
    type = AM_MEDIA_TYPE{};
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = 1;
}

bool MediaTypeValue::IsPartiallySpecified(const AM_MEDIA_TYPE& type)
{
    return type.majortype == GUID_NULL || type.formattype == GUID_NULL;
}

bool MediaTypeValue::MatchesPartial(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE& pattern)
{
    if (pattern.majortype != GUID_NULL && type.majortype != pattern.majortype) {
        return false;
    }
    if (pattern.subtype != GUID_NULL && type.subtype != pattern.subtype) {
        return false;
    }
    if (pattern.formattype != GUID_NULL) {
        if (type.formattype != pattern.formattype || type.cbFormat != pattern.cbFormat) {
            return false;
        }
        if (type.cbFormat != 0 &&
            (!type.pbFormat || !pattern.pbFormat || std::memcmp(type.pbFormat, pattern.pbFormat, type.cbFormat) != 0)) {
            return false;
        }
    }
    return true;
}

void MediaTypeValue::Delete(AM_MEDIA_TYPE* type) { DeleteMediaType(type); }
