#include "platform/com/OleAuto.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

// The character count sits in front of the characters, as on Windows, so a
// BSTR is a plain wide pointer that may carry embedded zeros.
struct BstrHeader {
    std::uint32_t length;
    std::uint32_t reserved; // keeps the characters 8-byte aligned
};

BstrHeader* HeaderOf(BSTR text)
{
    return reinterpret_cast<BstrHeader*>(reinterpret_cast<char*>(text) - sizeof(BstrHeader));
}

} // namespace

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text) {
        return nullptr;
    }
    return SysAllocStringLen(text, static_cast<UINT>(std::wcslen(text)));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    // Guard the size arithmetic: a length this large cannot be a real text.
    if (length > (UINT32_MAX - sizeof(BstrHeader)) / sizeof(OLECHAR) - 1) {
        return nullptr;
    }
    const std::size_t bytes = sizeof(BstrHeader) + (std::size_t{length} + 1) * sizeof(OLECHAR);
    auto* header = static_cast<BstrHeader*>(std::malloc(bytes));
    if (!header) {
        return nullptr;
    }
    header->length = length;
    header->reserved = 0;
    auto* chars = reinterpret_cast<OLECHAR*>(header + 1);
    if (text) {
        std::memcpy(chars, text, std::size_t{length} * sizeof(OLECHAR));
    } else {
        std::memset(chars, 0, std::size_t{length} * sizeof(OLECHAR));
    }
    chars[length] = L'\0';
    return chars;
}

void SysFreeString(BSTR text)
{
    if (text) {
        std::free(HeaderOf(text));
    }
}

UINT SysStringLen(BSTR text) { return text ? HeaderOf(text)->length : 0; }

UINT SysStringByteLen(BSTR text) { return SysStringLen(text) * 2; }

void VariantInit(VARIANT* value)
{
    if (value) {
        value->vt = VT_EMPTY;
        value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
        value->llVal = 0;
    }
}

namespace {

bool KnownType(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

} // namespace

HRESULT VariantClear(VARIANT* value)
{
    if (!value) {
        return E_INVALIDARG;
    }
    if (!KnownType(value->vt)) {
        return DISP_E_BADVARTYPE;
    }
    switch (value->vt) {
    case VT_BSTR:
        SysFreeString(value->bstrVal);
        break;
    case VT_UNKNOWN:
        if (value->punkVal) value->punkVal->Release();
        break;
    case VT_DISPATCH:
        if (value->pdispVal) value->pdispVal->Release();
        break;
    default:
        break;
    }
    VariantInit(value);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* destination, const VARIANT* source)
{
    if (!destination || !source) {
        return E_INVALIDARG;
    }
    if (!KnownType(source->vt)) {
        return DISP_E_BADVARTYPE;
    }
    if (destination == source) {
        return S_OK;
    }
    VARIANT copy = *source;
    if (source->vt == VT_BSTR && source->bstrVal) {
        copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (!copy.bstrVal) {
            return E_OUTOFMEMORY;
        }
    } else if (source->vt == VT_UNKNOWN && source->punkVal) {
        source->punkVal->AddRef();
    } else if (source->vt == VT_DISPATCH && source->pdispVal) {
        source->pdispVal->AddRef();
    }
    if (const HRESULT hr = VariantClear(destination); FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *destination = copy;
    return S_OK;
}
