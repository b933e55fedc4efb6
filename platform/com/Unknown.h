#pragma once
// IUnknown and the link between an interface type and its identifier.
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/WinTypes.h"

#include <type_traits>

#define STDMETHODCALLTYPE
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE

// uuidof<T>() gives the interface identifier of T; every interface declares
// one with KAVRO_DECLARE_IID right after its declaration, in its namespace
// (the identifier is found by argument-dependent lookup).
template <class T>
constexpr const IID& uuidof()
{
    return InterfaceIdOf(static_cast<T*>(nullptr));
}

#define KAVRO_DECLARE_IID(Iface, text)                                                                                 \
    inline constexpr IID IID_##Iface = GuidLiteral(text);                                                              \
    constexpr const IID& InterfaceIdOf(Iface*) { return IID_##Iface; }

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

// QueryInterface into a typed pointer: pUnk->QueryInterface(IID_PPV_ARGS(&p)).
template <class T>
void** IID_PPV_ARGS_Helper(T** pp)
{
    return reinterpret_cast<void**>(pp);
}
#define IID_PPV_ARGS(ppType)                                                                                           \
    uuidof<std::remove_pointer_t<std::remove_pointer_t<decltype(ppType)>>>(), IID_PPV_ARGS_Helper(ppType)
