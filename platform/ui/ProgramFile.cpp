#include "platform/ui/ProgramFile.h"

#include <filesystem>
#include <system_error>

std::wstring ProgramFilePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::wstring() : path.wstring();
}

std::wstring ProgramBaseName()
{
    std::wstring path = ProgramFilePath();
    const auto slash = path.find_last_of(L"/\\");
    if (slash != std::wstring::npos) {
        path.erase(0, slash + 1);
    }
    const auto dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        path.erase(dot);
    }
    return path;
}
