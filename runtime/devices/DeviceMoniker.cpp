#include "runtime/devices/DeviceMoniker.h"

#include "platform/com/ComPtr.h"
#include "platform/com/TaskMem.h"
#include "platform/com/WideText.h"
#include "runtime/devices/DevicePropertyBag.h"

#include <cstring>
#include <functional>

namespace runtime {

namespace {

std::wstring DisplayNameOf(IMoniker* moniker)
{
    LPOLESTR text = nullptr;
    std::wstring name;
    if (moniker && SUCCEEDED(moniker->GetDisplayName(nullptr, nullptr, &text)) && text) {
        name = text;
    }
    CoTaskMemFree(text);
    return name;
}

} // namespace

IMoniker* DeviceMoniker::Create(const GUID& category, DeviceEntry device)
{
    auto* moniker = new DeviceMoniker(category, std::move(device));
    moniker->AddRef();
    return moniker;
}

DeviceMoniker::DeviceMoniker(const GUID& category, DeviceEntry device)
    : m_device(std::move(device)),
      m_displayName(L"@device:sim:" + FromUtf8(GuidToString(category)) + L"\\" + std::to_wstring(m_device.id))
{}

void* DeviceMoniker::FindInterface(REFIID riid)
{
    if (riid == IID_IPersist || riid == IID_IPersistStream || riid == IID_IMoniker) {
        return static_cast<IMoniker*>(this);
    }
    return nullptr;
}

STDMETHODIMP DeviceMoniker::GetClassID(CLSID* pClassID)
{
    if (!pClassID) return E_POINTER;
    *pClassID = CLSID_CDeviceMoniker;
    return S_OK;
}

STDMETHODIMP DeviceMoniker::IsDirty() { return S_FALSE; }
STDMETHODIMP DeviceMoniker::Load(IStream*) { return E_NOTIMPL; }
STDMETHODIMP DeviceMoniker::Save(IStream*, BOOL) { return E_NOTIMPL; }
STDMETHODIMP DeviceMoniker::GetSizeMax(ULARGE_INTEGER*) { return E_NOTIMPL; }

STDMETHODIMP DeviceMoniker::BindToObject(IBindCtx*, IMoniker*, REFIID riidResult, void** ppvResult)
{
    if (!ppvResult) return E_POINTER;
    *ppvResult = nullptr;
    if (!m_device.createFilter) return MK_E_NOOBJECT;
    ComPtr<IBaseFilter> filter;
    HRESULT hr = E_FAIL;
    try {
        hr = m_device.createFilter(&filter);
    } catch (...) {
        // A device factory is outside code: its exception must not cross this interface.
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) return hr;
    if (!filter) return MK_E_NOOBJECT;
    return filter->QueryInterface(riidResult, ppvResult);
}

STDMETHODIMP DeviceMoniker::BindToStorage(IBindCtx*, IMoniker*, REFIID riid, void** ppvObj)
{
    if (!ppvObj) return E_POINTER;
    *ppvObj = nullptr;
    if (!(riid == IID_IPropertyBag)) return MK_E_NOSTORAGE;
    *ppvObj = DevicePropertyBag::Create(m_device.friendlyName);
    return S_OK;
}

STDMETHODIMP DeviceMoniker::Reduce(IBindCtx*, DWORD, IMoniker** ppmkToLeft, IMoniker** ppmkReduced)
{
    if (!ppmkReduced) return E_POINTER;
    if (ppmkToLeft) *ppmkToLeft = nullptr;
    *ppmkReduced = this;
    AddRef();
    return MK_S_REDUCED_TO_SELF;
}

STDMETHODIMP DeviceMoniker::ComposeWith(IMoniker*, BOOL, IMoniker** ppmkComposite)
{
    if (ppmkComposite) *ppmkComposite = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DeviceMoniker::Enum(BOOL, IEnumMoniker** ppenumMoniker)
{
    if (!ppenumMoniker) return E_POINTER;
    *ppenumMoniker = nullptr; // a simple moniker has no parts
    return S_OK;
}

STDMETHODIMP DeviceMoniker::IsEqual(IMoniker* pmkOtherMoniker)
{
    if (!pmkOtherMoniker) return E_INVALIDARG;
    return DisplayNameOf(pmkOtherMoniker) == m_displayName ? S_OK : S_FALSE;
}

STDMETHODIMP DeviceMoniker::Hash(DWORD* pdwHash)
{
    if (!pdwHash) return E_POINTER;
    *pdwHash = static_cast<DWORD>(std::hash<std::wstring>{}(m_displayName));
    return S_OK;
}

STDMETHODIMP DeviceMoniker::IsRunning(IBindCtx*, IMoniker*, IMoniker*) { return S_FALSE; }

STDMETHODIMP DeviceMoniker::GetTimeOfLastChange(IBindCtx*, IMoniker*, FILETIME*) { return MK_E_UNAVAILABLE; }

STDMETHODIMP DeviceMoniker::Inverse(IMoniker** ppmk)
{
    if (ppmk) *ppmk = nullptr;
    return MK_E_NOINVERSE;
}

STDMETHODIMP DeviceMoniker::CommonPrefixWith(IMoniker* pmkOther, IMoniker** ppmkPrefix)
{
    if (!ppmkPrefix) return E_POINTER;
    *ppmkPrefix = nullptr;
    if (IsEqual(pmkOther) != S_OK) return MK_E_NOPREFIX;
    *ppmkPrefix = this;
    AddRef();
    return MK_S_US;
}

STDMETHODIMP DeviceMoniker::RelativePathTo(IMoniker*, IMoniker** ppmkRelPath)
{
    if (ppmkRelPath) *ppmkRelPath = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DeviceMoniker::GetDisplayName(IBindCtx*, IMoniker*, LPOLESTR* ppszDisplayName)
{
    if (!ppszDisplayName) return E_POINTER;
    const std::size_t bytes = (m_displayName.size() + 1) * sizeof(OLECHAR);
    auto* text = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    *ppszDisplayName = text;
    if (!text) return E_OUTOFMEMORY;
    std::memcpy(text, m_displayName.c_str(), bytes);
    return S_OK;
}

STDMETHODIMP DeviceMoniker::ParseDisplayName(IBindCtx*, IMoniker*, LPOLESTR, ULONG* pchEaten, IMoniker** ppmkOut)
{
    if (pchEaten) *pchEaten = 0;
    if (ppmkOut) *ppmkOut = nullptr;
    return MK_E_SYNTAX;
}

STDMETHODIMP DeviceMoniker::IsSystemMoniker(DWORD* pdwMksys)
{
    if (!pdwMksys) return E_POINTER;
    *pdwMksys = MKSYS_NONE;
    return S_FALSE;
}

} // namespace runtime
