#include "graph/DeviceEnum.h"

#include "process/DiagLog.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/DebugOut.h"
#include "platform/com/WideText.h"

#include <algorithm>
#include <new>
#include <string_view>

namespace {

// Owns the VARIANT a property bag fills, so every path clears it.
struct VariantValue {
    VariantValue() { VariantInit(&v); }
    ~VariantValue() { VariantClear(&v); }
    VariantValue(const VariantValue&) = delete;
    VariantValue& operator=(const VariantValue&) = delete;
    VARIANT v;
};

// The longest prefix of text that fits in limit bytes without splitting a UTF-8
// sequence, so the narrow name never ends in half a character.
std::string_view WholeCharacters(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

void StoreName(DeviceEnum& context, std::wstring_view name)
{
    const std::wstring_view wide = name.substr(0, kDeviceNameChars);
    std::copy(wide.begin(), wide.end(), context.wideName.begin());
    context.wideName[wide.size()] = L'\0';

    const std::string utf8 = ToUtf8(wide);
    const std::string_view narrow = WholeCharacters(utf8, kDeviceNameChars);
    std::copy(narrow.begin(), narrow.end(), context.name.begin());
    context.name[narrow.size()] = '\0';
}

} // namespace

DeviceEnum* enum_create(REFGUID category)
{
    DeviceEnumPtr context(new (std::nothrow) DeviceEnum);
    if (!context) return nullptr;

    if (FAILED(
            CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&context->devices)))) {
        OutputDebugStringA("FAIL: enum_create(): Cannot CoCreate ICreateDevEnum");
        return nullptr;
    }
    const HRESULT hr = context->devices->CreateClassEnumerator(category, &context->monikers, 0);
    if (FAILED(hr)) {
        OutputDebugStringA("FAIL: enum_create(): Cannot CreateClassEnumerator");
        return nullptr;
    }
    // An empty category answers S_FALSE and hands out no enumerator.
    if (hr == S_FALSE || !context->monikers) {
        OutputDebugStringA("FAIL: enum_create(): Class not found, CreateClassEnumerator returned S_FALSE");
        return nullptr;
    }
    return context.release();
}

HRESULT enum_next(DeviceEnum* context)
{
    if (!context) return S_FALSE;
    context->current = nullptr;
    context->name[0] = '\0';
    context->wideName[0] = L'\0';
    return context->monikers->Next(1, context->current.ReleaseAndGetAddressOf(), nullptr);
}

HRESULT enum_bind(DeviceEnum* context, IBaseFilter** filter)
{
    if (!context || !filter) return E_POINTER;
    *filter = nullptr;
    if (!context->current) return E_UNEXPECTED;
    const HRESULT hr =
        context->current->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter));
    if (FAILED(hr)) return hr;
    return *filter ? hr : S_FALSE;
}

HRESULT enum_get_name(DeviceEnum* context)
{
    if (!context) return E_POINTER;
    context->name[0] = '\0';
    context->wideName[0] = L'\0';
    if (!context->current) return E_UNEXPECTED;

    ComPtr<IPropertyBag> bag;
    HRESULT hr = context->current->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag));
    if (FAILED(hr) || !bag) {
        LogLine(L"enum_get_name(): Cannot BindToStorage");
        return FAILED(hr) ? hr : E_UNEXPECTED;
    }
    VariantValue value;
    hr = bag->Read(L"FriendlyName", &value.v, nullptr);
    // A bag that answers with another type has not given a name either.
    if (SUCCEEDED(hr) && value.v.vt != VT_BSTR) hr = DISP_E_TYPEMISMATCH;
    if (FAILED(hr)) {
        LogLine(L"enum_get_name(): IPropertyBag->Read method failed");
        return hr;
    }
    StoreName(*context, BstrText(value.v.bstrVal));
    return S_OK;
}

void enum_free(DeviceEnum* context)
{
    if (!context) return;
    context->current = nullptr;
    context->devices = nullptr;
    context->monikers = nullptr;
    delete context;
}
