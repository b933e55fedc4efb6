#pragma once
// Class identifiers of the media-graph classes the framework uses.
#include "platform/com/Guid.h"

#ifdef _WIN32
#include <dshow.h>
#else
// The platform's memory allocator (IMemAllocator), created in process.
inline constexpr CLSID CLSID_MemoryAllocator = GuidLiteral("{1E651CC0-B199-11D0-8212-00C04FC32C45}");
#endif
