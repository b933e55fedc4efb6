#include "app/SignalLocked.h"

std::atomic<LONG> signalLocked{0};
