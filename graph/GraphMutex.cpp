#include "graph/GraphMutex.h"

HANDLE graphMutex = nullptr;
