#pragma once
// The class identifier of the transport stream sink filter, for the sink that
// implements it and for whoever registers or creates it.
#include "platform/com/Guid.h"
#include "platform/com/GuidLiteral.h"

inline constexpr CLSID CLSID_DestFilter = GuidLiteral("{90D647A7-DFBB-48F9-861F-33F3660C03FD}");
