#pragma once
// IKsPropertySet: a driver's private property sets, reached through a filter
// or a pin. Buffers are the caller's; sizes in bytes.
#include "platform/com/Guid.h"
#include "platform/com/Unknown.h"

#ifdef _WIN32
#include <dshow.h>
#else

inline constexpr DWORD KSPROPERTY_SUPPORT_GET = 1;
inline constexpr DWORD KSPROPERTY_SUPPORT_SET = 2;

struct IKsPropertySet : IUnknown {
    // Sends pPropData (cbPropData bytes) for property dwPropID of the set,
    // with cbInstanceData bytes of instance data.
    virtual HRESULT STDMETHODCALLTYPE Set(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData,
                                          DWORD cbInstanceData, LPVOID pPropData, DWORD cbPropData) = 0;
    // Reads the property into pPropData (room for cbPropData bytes); *pcbReturned
    // receives the byte count written.
    virtual HRESULT STDMETHODCALLTYPE Get(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData,
                                          DWORD cbInstanceData, LPVOID pPropData, DWORD cbPropData,
                                          DWORD* pcbReturned) = 0;
    // *pTypeSupport receives KSPROPERTY_SUPPORT_GET and/or KSPROPERTY_SUPPORT_SET.
    virtual HRESULT STDMETHODCALLTYPE QuerySupported(REFGUID guidPropSet, DWORD dwPropID, DWORD* pTypeSupport) = 0;

protected:
    ~IKsPropertySet() = default;
};
KAVRO_DECLARE_IID(IKsPropertySet, "{31EFAC30-515C-11D0-A9AA-00AA0061BE93}");
#endif
