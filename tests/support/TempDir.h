#pragma once
// A fresh folder for one test, removed with everything in it at the end.
#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // Whole file contents, or "" when it cannot be read.
    static std::string ReadFile(const std::filesystem::path& file);
    static void WriteFile(const std::filesystem::path& file, const std::string& bytes);

private:
    std::filesystem::path m_path;
};
