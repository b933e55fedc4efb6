#pragma once
// A fresh folder standing in for drive c: for one test: sets KAVRO_DRIVE_C to it and
// puts the previous value back at the end. Set it up before any thread of the test
// starts (the environment is process-wide).
#include "tests/support/TempDir.h"

#include <optional>
#include <string>

class TempDrive : public TempDir {
public:
    TempDrive();
    ~TempDrive();

private:
    std::optional<std::string> m_previous;
};
