#include "process/ChosenDevice.h"

std::int32_t deviceIndex = -1;
std::wstring deviceName;
