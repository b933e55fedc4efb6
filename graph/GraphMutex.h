#pragma once
// graphMutex: the process-wide unnamed mutex that serialises the monitor's signal
// poll, the tune submission and every release of the driver's property-set
// interface. Created once by the start-up before any window exists and never
// closed; null before that. Taken without time limit by whoever uses it.
#include "platform/com/WinTypes.h"

extern HANDLE graphMutex;
