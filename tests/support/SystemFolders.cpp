#include "tests/support/SystemFolders.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <string>
#include <string_view>

bool IsSystemFolder(const std::filesystem::path& name)
{
    static constexpr std::array<std::wstring_view, 5> kSystem = {L"windows", L"users", L"programdata", L"program files",
                                                                 L"program files (x86)"};
    std::wstring lower = name.wstring();
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c))); });
    return std::find(kSystem.begin(), kSystem.end(), lower) != kSystem.end();
}

void ClearDriveRoot(const std::filesystem::path& root)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        if (IsSystemFolder(entry.path().filename())) continue;
        std::error_code ignored;
        if (!entry.is_symlink(ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

void CopyDriveRoot(const std::filesystem::path& root, const std::filesystem::path& to)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        if (IsSystemFolder(entry.path().filename())) continue;
        std::error_code ignored;
        std::filesystem::copy(entry.path(), to / entry.path().filename(),
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks,
                              ignored);
    }
}
