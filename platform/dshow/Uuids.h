#pragma once
// Class identifiers of the media-graph classes the framework and the sink use.
#include "platform/com/Guid.h"

// The platform's memory allocator (IMemAllocator), created in process.
inline constexpr CLSID CLSID_MemoryAllocator = GuidLiteral("{1E651CC0-B199-11D0-8212-00C04FC32C45}");
// The transport stream sink filter.
inline constexpr CLSID CLSID_DestFilter = GuidLiteral("{90D647A7-DFBB-48F9-861F-33F3660C03FD}");
