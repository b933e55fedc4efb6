#include "tests/support/TempDrive.h"

#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32

#include <algorithm>
#include <array>
#include <cwctype>
#include <string_view>

namespace {

// The folders of a fresh Windows installation's c:\ that a test leaves alone.
bool IsSystemFolder(const std::filesystem::path& name)
{
    static constexpr std::array<std::wstring_view, 5> kSystem = {L"windows", L"users", L"programdata", L"program files",
                                                                 L"program files (x86)"};
    std::wstring lower = name.wstring();
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return std::find(kSystem.begin(), kSystem.end(), lower) != kSystem.end();
}

void ClearDriveRoot(const std::filesystem::path& root)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        if (IsSystemFolder(entry.path().filename())) continue;
        std::error_code ignored;
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

} // namespace

TempDrive::TempDrive() : m_path(L"c:\\")
{
    const char* disposable = std::getenv("KAVRO_TEST_DISPOSABLE_DRIVE_C");
    if (!disposable || std::string_view(disposable) != "1") {
        throw std::runtime_error("drive c: is not a test prefix's (KAVRO_TEST_DISPOSABLE_DRIVE_C=1): not cleaning it");
    }
    ClearDriveRoot(m_path);
}

TempDrive::~TempDrive() { ClearDriveRoot(m_path); }

#else

namespace {

void SetDriveVariable(const char* value)
{
    if (value) {
        setenv("KAVRO_DRIVE_C", value, 1);
    } else {
        unsetenv("KAVRO_DRIVE_C");
    }
}

} // namespace

TempDrive::TempDrive() : m_folder(std::make_unique<TempDir>())
{
    m_path = m_folder->path();
    if (const char* previous = std::getenv("KAVRO_DRIVE_C")) {
        m_previous = previous;
    }
    SetDriveVariable(m_path.string().c_str());
}

TempDrive::~TempDrive() { SetDriveVariable(m_previous ? m_previous->c_str() : nullptr); }

#endif
