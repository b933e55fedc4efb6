#pragma once
// The first bindable device of a device category, as a filter.
// User-interface thread, inside a COM apartment.
#include "platform/com/ComPtr.h"
#include "platform/dshow/FilterInterfaces.h"

// Walks the category's devices in enumeration order and returns the first one
// whose "FriendlyName" reads and that binds to a filter (one reference for the
// caller). Null when the enumerator cannot be made, the category is empty,
// no device binds, or a device's property store cannot be opened (which ends
// the search; it and an unreadable name are written to the debugger output).
ComPtr<IBaseFilter> FindFilter(REFGUID category);
