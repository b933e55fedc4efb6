#include "platform/com/Tick.h"

#include <chrono>
#include <thread>
#include <time.h>

DWORD GetTickCount()
{
    timespec now{};
    // Boot time counts the time the machine was suspended, as the tick count does.
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);
}

void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
