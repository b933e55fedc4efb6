#include "platform/ui/ShellOpen.h"

#include "platform/ui/ShellExecute.h"

bool ShellOpen(const std::wstring& path)
{
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}
