// Path texts on Windows are the system's own: only their type changes.
#include "platform/files/WinPath.h"

std::filesystem::path LocalPath(std::wstring_view windowsPath)
{
    return std::filesystem::path(std::wstring(windowsPath));
}

std::wstring WindowsPath(const std::filesystem::path& localPath)
{
    return localPath.lexically_normal().make_preferred().wstring();
}
