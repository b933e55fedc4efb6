#pragma once
// The lock of a simulator filter that owns its lock. Inherit it before
// CBaseFilter so that it is built before the filter and goes after it:
//   class InfTee final : private FilterLock, public CBaseFilter { ... };
#include "filterbase/CCritSec.h"

namespace runtime {

struct FilterLock {
    CCritSec m_filterLock;
};

} // namespace runtime
