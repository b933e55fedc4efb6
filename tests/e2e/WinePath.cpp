#include "tests/e2e/WinePath.h"

#include <algorithm>

std::string WinePath(const std::filesystem::path& linuxPath)
{
    std::string path = std::filesystem::absolute(linuxPath).lexically_normal().string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}
