#include "platform/com/Hresult.h"

#include <cstdio>

namespace {

struct NamedCode {
    HRESULT code;
    const char* name;
};

#define KAVRO_CODE(c)                                                                                                  \
    {                                                                                                                  \
        c, #c                                                                                                          \
    }
constexpr NamedCode kNames[] = {
    KAVRO_CODE(S_OK),
    KAVRO_CODE(S_FALSE),
    KAVRO_CODE(E_NOTIMPL),
    KAVRO_CODE(E_NOINTERFACE),
    KAVRO_CODE(E_POINTER),
    KAVRO_CODE(E_ABORT),
    KAVRO_CODE(E_FAIL),
    KAVRO_CODE(E_UNEXPECTED),
    KAVRO_CODE(E_ACCESSDENIED),
    KAVRO_CODE(E_HANDLE),
    KAVRO_CODE(E_OUTOFMEMORY),
    KAVRO_CODE(E_INVALIDARG),
    KAVRO_CODE(CLASS_E_NOAGGREGATION),
    KAVRO_CODE(REGDB_E_CLASSNOTREG),
    KAVRO_CODE(CO_E_NOTINITIALIZED),
    KAVRO_CODE(RPC_E_CHANGED_MODE),
    KAVRO_CODE(DISP_E_TYPEMISMATCH),
    KAVRO_CODE(STG_E_FILENOTFOUND),
    KAVRO_CODE(VFW_S_NO_MORE_ITEMS),
    KAVRO_CODE(VFW_S_STATE_INTERMEDIATE),
    KAVRO_CODE(VFW_S_CANT_CUE),
    KAVRO_CODE(VFW_E_INVALIDMEDIATYPE),
    KAVRO_CODE(VFW_E_NEED_OWNER),
    KAVRO_CODE(VFW_E_ENUM_OUT_OF_SYNC),
    KAVRO_CODE(VFW_E_ALREADY_CONNECTED),
    KAVRO_CODE(VFW_E_FILTER_ACTIVE),
    KAVRO_CODE(VFW_E_NO_ACCEPTABLE_TYPES),
    KAVRO_CODE(VFW_E_INVALID_DIRECTION),
    KAVRO_CODE(VFW_E_NOT_CONNECTED),
    KAVRO_CODE(VFW_E_NO_ALLOCATOR),
    KAVRO_CODE(VFW_E_RUNTIME_ERROR),
    KAVRO_CODE(VFW_E_BUFFER_NOTSET),
    KAVRO_CODE(VFW_E_BUFFER_OVERFLOW),
    KAVRO_CODE(VFW_E_BADALIGN),
    KAVRO_CODE(VFW_E_ALREADY_COMMITTED),
    KAVRO_CODE(VFW_E_BUFFERS_OUTSTANDING),
    KAVRO_CODE(VFW_E_NOT_COMMITTED),
    KAVRO_CODE(VFW_E_SIZENOTSET),
    KAVRO_CODE(VFW_E_NO_CLOCK),
    KAVRO_CODE(VFW_E_NO_SINK),
    KAVRO_CODE(VFW_E_NO_INTERFACE),
    KAVRO_CODE(VFW_E_NOT_FOUND),
    KAVRO_CODE(VFW_E_CANNOT_CONNECT),
    KAVRO_CODE(VFW_E_CANNOT_RENDER),
    KAVRO_CODE(VFW_E_CHANGING_FORMAT),
    KAVRO_CODE(VFW_E_NOT_STOPPED),
    KAVRO_CODE(VFW_E_NOT_PAUSED),
    KAVRO_CODE(VFW_E_NOT_RUNNING),
    KAVRO_CODE(VFW_E_WRONG_STATE),
    KAVRO_CODE(VFW_E_TYPE_NOT_ACCEPTED),
    KAVRO_CODE(VFW_E_SAMPLE_REJECTED),
    KAVRO_CODE(VFW_E_TIMEOUT),
    KAVRO_CODE(VFW_E_DUPLICATE_NAME),
    KAVRO_CODE(VFW_E_NO_TRANSPORT),
};
#undef KAVRO_CODE

} // namespace

const char* HresultName(HRESULT hr)
{
    for (const auto& entry : kNames) {
        if (entry.code == hr) {
            return entry.name;
        }
    }
    if (hr == HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND)) {
        return "HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND)";
    }
    if (hr == HRESULT_FROM_WIN32(ERROR_NOT_FOUND)) {
        return "HRESULT_FROM_WIN32(ERROR_NOT_FOUND)";
    }
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) {
        return "HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)";
    }
    if (hr == HRESULT_FROM_WIN32(ERROR_DISK_FULL)) {
        return "HRESULT_FROM_WIN32(ERROR_DISK_FULL)";
    }
    return "";
}

std::string HresultHex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::string HresultText(HRESULT hr)
{
    const char* name = HresultName(hr);
    if (*name == '\0') {
        return HresultHex(hr);
    }
    return std::string(name) + " (" + HresultHex(hr) + ")";
}
