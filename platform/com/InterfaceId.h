#pragma once
// The link between an interface type and its identifier, for the SDK's
// interfaces and for the project's own.
//
// uuidof<T>() gives the interface identifier of T. Every interface the project
// declares itself names its identifier with KAVRO_DECLARE_IID right after its
// declaration, in its namespace (found by argument-dependent lookup); on
// Windows the SDK's interfaces carry theirs (__uuidof).
#include "platform/com/Guid.h"
#include "platform/com/GuidLiteral.h"

#include <type_traits>

template <class T>
constexpr const IID& uuidof()
{
#ifdef _WIN32
    if constexpr (!requires(T * p) { InterfaceIdOf(p); }) {
        return __uuidof(T);
    } else
#endif
        return InterfaceIdOf(static_cast<T*>(nullptr));
}

#define KAVRO_DECLARE_IID(Iface, text)                                                                                 \
    inline constexpr IID IID_##Iface = GuidLiteral(text);                                                              \
    constexpr const IID& InterfaceIdOf(Iface*) { return IID_##Iface; }

// QueryInterface into a typed pointer: pUnk->QueryInterface(IID_PPV_ARGS(&p)).
// On Windows this replaces the SDK's form, which knows only the SDK's interfaces.
#ifdef _WIN32
#undef IID_PPV_ARGS
#else
template <class T>
void** IID_PPV_ARGS_Helper(T** pp)
{
    return reinterpret_cast<void**>(pp);
}
#endif
#define IID_PPV_ARGS(ppType)                                                                                           \
    uuidof<std::remove_pointer_t<std::remove_pointer_t<decltype(ppType)>>>(), IID_PPV_ARGS_Helper(ppType)
