#include "process/MachineName.h"

std::wstring machineName;
