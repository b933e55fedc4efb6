#pragma once
// IUnknown and the link between an interface type and its identifier.
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/WinTypes.h"

#ifdef _WIN32
#include <objbase.h>
#include <unknwn.h>
#else
#define STDMETHODCALLTYPE
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#endif

#include "platform/com/InterfaceId.h"

#ifndef _WIN32
struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;

protected:
    // Objects delete themselves at their last Release; nobody deletes
    // through an interface pointer.
    ~IUnknown() = default;
};
KAVRO_DECLARE_IID(IUnknown, "{00000000-0000-0000-C000-000000000046}");
#endif
