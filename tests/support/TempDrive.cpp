#include "tests/support/TempDrive.h"

#include <cstdlib>

TempDrive::TempDrive()
{
    if (const char* previous = std::getenv("KAVRO_DRIVE_C")) {
        m_previous = previous;
    }
    setenv("KAVRO_DRIVE_C", path().c_str(), 1);
}

TempDrive::~TempDrive()
{
    if (m_previous) {
        setenv("KAVRO_DRIVE_C", m_previous->c_str(), 1);
    } else {
        unsetenv("KAVRO_DRIVE_C");
    }
}
