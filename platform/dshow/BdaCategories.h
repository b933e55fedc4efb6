#pragma once
// Device categories of the broadcast device architecture, under which the
// device enumerator lists network providers, tuners, receivers and transport
// information filters. Declared here on every system: the Windows headers of
// mingw-w64 do not carry them.
#include "platform/com/Guid.h"
#include "platform/com/GuidLiteral.h"

inline constexpr GUID KSCATEGORY_BDA_NETWORK_PROVIDER = GuidLiteral("{71985F4B-1CA1-11D3-9CC8-00C04F7971E0}");
inline constexpr GUID KSCATEGORY_BDA_NETWORK_TUNER = GuidLiteral("{71985F48-1CA1-11D3-9CC8-00C04F7971E0}");
inline constexpr GUID KSCATEGORY_BDA_RECEIVER_COMPONENT = GuidLiteral("{FD0A5AF4-B41D-11D2-9C95-00C04F7971E0}");
inline constexpr GUID KSCATEGORY_BDA_TRANSPORT_INFORMATION = GuidLiteral("{A2E3074F-6C3D-11D3-B653-00C04F79498E}");
