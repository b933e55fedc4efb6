#include "tests/support/TempDrive.h"

#include <cstdlib>

namespace {

void SetDriveVariable(const char* value)
{
#ifdef _WIN32
    _putenv_s("KAVRO_DRIVE_C", value ? value : "");
#else
    if (value) {
        setenv("KAVRO_DRIVE_C", value, 1);
    } else {
        unsetenv("KAVRO_DRIVE_C");
    }
#endif
}

} // namespace

TempDrive::TempDrive()
{
    if (const char* previous = std::getenv("KAVRO_DRIVE_C")) {
        m_previous = previous;
    }
    SetDriveVariable(path().string().c_str());
}

TempDrive::~TempDrive() { SetDriveVariable(m_previous ? m_previous->c_str() : nullptr); }
