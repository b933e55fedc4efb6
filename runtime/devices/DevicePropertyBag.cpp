#include "runtime/devices/DevicePropertyBag.h"

#include <cwchar>

namespace runtime {

IPropertyBag* DevicePropertyBag::Create(std::optional<std::wstring> friendlyName)
{
    auto* bag = new DevicePropertyBag(std::move(friendlyName));
    bag->AddRef();
    return bag;
}

void* DevicePropertyBag::FindInterface(REFIID riid)
{
    return riid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr;
}

STDMETHODIMP DevicePropertyBag::Read(LPCOLESTR pszPropName, VARIANT* pVar, IErrorLog*)
{
    if (!pszPropName || !pVar) return E_POINTER;
    if (pVar->vt != VT_EMPTY && pVar->vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
    if (std::wcscmp(pszPropName, L"FriendlyName") != 0 || !m_friendlyName) {
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    BSTR text = BstrFrom(*m_friendlyName);
    if (!text) return E_OUTOFMEMORY;
    VariantClear(pVar);
    pVar->vt = VT_BSTR;
    pVar->bstrVal = text;
    return S_OK;
}

STDMETHODIMP DevicePropertyBag::Write(LPCOLESTR, VARIANT*) { return E_ACCESSDENIED; }

} // namespace runtime
