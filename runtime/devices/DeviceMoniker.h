#pragma once
// The moniker of one device of a category: BindToObject creates the device's
// filter, BindToStorage opens its property bag. Its display name is
// "@device:sim:{CATEGORY}\ID". Persistence, composition and parsing are not
// offered (the documented "not supported" answers). Any thread.
#include "platform/dshow/DeviceInterfaces.h"
#include "runtime/ComObject.h"
#include "runtime/devices/DeviceCatalog.h"

#include <string>

namespace runtime {

class DeviceMoniker final : public ComObject<DeviceMoniker, IMoniker> {
public:
    // One reference for the caller.
    static IMoniker* Create(const GUID& category, DeviceEntry device);

    // IPersist, IPersistStream
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream* pStm) override;
    STDMETHODIMP Save(IStream* pStm, BOOL fClearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* pcbSize) override;

    // IMoniker
    // Creates the device's filter (the factory's failure is returned) and
    // queries it for riidResult.
    STDMETHODIMP BindToObject(IBindCtx* pbc, IMoniker* pmkToLeft, REFIID riidResult, void** ppvResult) override;
    // IID_IPropertyBag only (else MK_E_NOSTORAGE).
    STDMETHODIMP BindToStorage(IBindCtx* pbc, IMoniker* pmkToLeft, REFIID riid, void** ppvObj) override;
    STDMETHODIMP Reduce(IBindCtx* pbc, DWORD dwReduceHowFar, IMoniker** ppmkToLeft, IMoniker** ppmkReduced) override;
    STDMETHODIMP ComposeWith(IMoniker* pmkRight, BOOL fOnlyIfNotGeneric, IMoniker** ppmkComposite) override;
    STDMETHODIMP Enum(BOOL fForward, IEnumMoniker** ppenumMoniker) override;
    // S_OK for a moniker of the same device (same display name), else S_FALSE.
    STDMETHODIMP IsEqual(IMoniker* pmkOtherMoniker) override;
    STDMETHODIMP Hash(DWORD* pdwHash) override;
    STDMETHODIMP IsRunning(IBindCtx* pbc, IMoniker* pmkToLeft, IMoniker* pmkNewlyRunning) override;
    STDMETHODIMP GetTimeOfLastChange(IBindCtx* pbc, IMoniker* pmkToLeft, FILETIME* pFileTime) override;
    STDMETHODIMP Inverse(IMoniker** ppmk) override;
    STDMETHODIMP CommonPrefixWith(IMoniker* pmkOther, IMoniker** ppmkPrefix) override;
    STDMETHODIMP RelativePathTo(IMoniker* pmkOther, IMoniker** ppmkRelPath) override;
    STDMETHODIMP GetDisplayName(IBindCtx* pbc, IMoniker* pmkToLeft, LPOLESTR* ppszDisplayName) override;
    STDMETHODIMP ParseDisplayName(IBindCtx* pbc, IMoniker* pmkToLeft, LPOLESTR pszDisplayName, ULONG* pchEaten,
                                  IMoniker** ppmkOut) override;
    STDMETHODIMP IsSystemMoniker(DWORD* pdwMksys) override;

private:
    DeviceMoniker(const GUID& category, DeviceEntry device);
    void* FindInterface(REFIID riid) override;

    const DeviceEntry m_device;
    const std::wstring m_displayName;
};

} // namespace runtime
