#pragma once
// The property bag a device moniker opens: "FriendlyName" as a VT_BSTR.
// Read only. Any thread.
#include "platform/dshow/DeviceInterfaces.h"
#include "runtime/ComObject.h"

#include <optional>
#include <string>

namespace runtime {

class DevicePropertyBag final : public ComObject<DevicePropertyBag, IPropertyBag> {
public:
    // One reference for the caller. Without a name, "FriendlyName" cannot be read.
    static IPropertyBag* Create(std::optional<std::wstring> friendlyName);

    // "FriendlyName" into a VARIANT that is VT_EMPTY or VT_BSTR on entry (it
    // is cleared first); DISP_E_TYPEMISMATCH for any other type asked for;
    // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) for a value the device lacks.
    STDMETHODIMP Read(LPCOLESTR pszPropName, VARIANT* pVar, IErrorLog* pErrorLog) override;
    // Device values are not written by applications: E_ACCESSDENIED.
    STDMETHODIMP Write(LPCOLESTR pszPropName, VARIANT* pVar) override;

private:
    explicit DevicePropertyBag(std::optional<std::wstring> friendlyName) : m_friendlyName(std::move(friendlyName)) {}
    void* FindInterface(REFIID riid) override;

    const std::optional<std::wstring> m_friendlyName;
};

} // namespace runtime
