#pragma once
// A folder of the program's own for one test: the built executable linked
// into a fresh folder with the shipped satellite files and city list beside
// it. The program keeps its settings file (Kavro-TScap.ini) in its own
// folder, so runs from different folders, as ctest runs them side by side,
// never read or write each other's settings.
#include "tests/support/TempDir.h"

#include <filesystem>

class OwnProgramFolder {
public:
    enum class Data { Shipped, None };

    // Links (or, across file systems, copies) the built program (KAVRO_PROGRAM
    // by default, or the Windows build's Kavro-TScap.exe); with Shipped, the
    // data beside it are links to the build's copies, with None the test
    // writes its own.
    explicit OwnProgramFolder(Data data = Data::Shipped, const std::filesystem::path& built = KAVRO_PROGRAM);

    const std::filesystem::path& Folder() const { return m_dir.path(); }
    // The executable to run, under the built program's name.
    std::filesystem::path Program() const { return m_program; }

private:
    TempDir m_dir;
    std::filesystem::path m_program;
};
