#pragma once
// signalLocked: 1 while the monitor's last poll showed "LOCKED", 0 after one
// that showed "UNLOCKED" or while there is no property-set interface; 0 at
// start. Written only by the monitor thread; the Capture Control page reads
// it before it starts a recording.
#include "platform/com/WinTypes.h"

#include <atomic>

extern std::atomic<LONG> signalLocked;
