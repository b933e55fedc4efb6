#include "graph/FindFilter.h"

#include "platform/com/ClassRegistry.h"
#include "platform/com/DebugOut.h"
#include "platform/com/OleAuto.h"
#include "platform/dshow/DeviceInterfaces.h"

namespace {

// Reads "FriendlyName" only to learn whether the device describes itself;
// the value is not used.
bool HasFriendlyName(IPropertyBag* bag)
{
    VARIANT name;
    VariantInit(&name);
    const HRESULT hr = bag->Read(L"FriendlyName", &name, nullptr);
    VariantClear(&name);
    return SUCCEEDED(hr);
}

} // namespace

ComPtr<IBaseFilter> FindFilter(REFGUID category)
{
    ComPtr<ICreateDevEnum> devices;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices))) ||
        !devices) {
        return nullptr;
    }
    ComPtr<IEnumMoniker> monikers;
    // S_FALSE (an empty category) counts as nothing found.
    if (devices->CreateClassEnumerator(category, &monikers, 0) != S_OK || !monikers) {
        return nullptr;
    }
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK && moniker) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag))) || !bag) {
            OutputDebugStringW(L"FindFilter(): Cannot BindToStorage");
            return nullptr;
        }
        if (!HasFriendlyName(bag.Get())) {
            OutputDebugStringW(L"FindFilter(): IPropertyBag->Read method failed");
            continue;
        }
        ComPtr<IBaseFilter> filter;
        if (SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter))) && filter) {
            return filter;
        }
    }
    return nullptr;
}
