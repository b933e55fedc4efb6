#pragma once
// A fresh drive c: for one test, as a program on a new machine finds it.
//   - Linux: a new folder stands in for c: (KAVRO_DRIVE_C names it; the previous value
//     is put back at the end). Set it up before any thread of the test starts (the
//     environment is process-wide).
//   - Windows: c: is the system's own, so it is the test prefix's real c:\. Whatever
//     lies in its root besides the system's folders is removed before and after the
//     test. That is only done where the environment says the drive is disposable
//     (KAVRO_TEST_DISPOSABLE_DRIVE_C=1, set by the windows test preset); anywhere else
//     the constructor throws and the test fails. Tests on Windows share the one drive
//     and run one at a time (tests/CMakeLists.txt).
#include "tests/support/TempDir.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class TempDrive {
public:
    TempDrive();
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    // The drive's root as a local path. Never remove it whole: on Windows it is the
    // drive c: of the test prefix, with the system in it.
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
#ifndef _WIN32
    std::unique_ptr<TempDir> m_folder;
    std::optional<std::string> m_previous;
#endif
};
