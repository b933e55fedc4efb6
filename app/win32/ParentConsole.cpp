#include "app/win32/ParentConsole.h"

#include <windows.h>

#include <cstdio>

namespace {

bool HasHandle(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle && handle != INVALID_HANDLE_VALUE;
}

} // namespace

void UseParentConsole()
{
    const bool output = HasHandle(STD_OUTPUT_HANDLE);
    const bool error = HasHandle(STD_ERROR_HANDLE);
    if ((output && error) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    FILE* reopened = nullptr;
    if (!output) freopen_s(&reopened, "CONOUT$", "w", stdout);
    if (!error) freopen_s(&reopened, "CONOUT$", "w", stderr);
}
