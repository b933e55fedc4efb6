#include "app/GraphMutex.h"

HANDLE graphMutex = nullptr;
