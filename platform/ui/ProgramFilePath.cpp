#include "platform/ui/ProgramFile.h"

#include <filesystem>
#include <system_error>

std::wstring ProgramFilePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::wstring() : path.wstring();
}
