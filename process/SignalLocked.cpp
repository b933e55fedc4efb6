#include "process/SignalLocked.h"

std::atomic<LONG> signalLocked{0};
