#include "tests/support/TempDrive.h"

#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32

#include "tests/support/SystemFolders.h"

#include <string_view>

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
