#pragma once
// A regular file opened for reading, as every reader of outside input needs it: a
// folder, named pipe or device is refused before anything is read, and the open never
// blocks on one. Other openers may read and write the file meanwhile. A descriptor on
// Linux, a file handle on Windows. One owner, one thread at a time.
#include <cstddef>
#include <cstdint>
#include <filesystem>

enum class ReadOnlyOpen {
    Opened,
    Missing,    // no such file or folder on the way
    NotRegular, // a folder, named pipe, device or socket (also behind a link)
    Failed,     // no permission, too many open files ...
};

class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile() { Close(); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens a local path; a file open before is closed first.
    ReadOnlyOpen Open(const std::filesystem::path& path);
    bool IsOpen() const { return m_file != kNoFile; }
    void Close();

    // Bytes in the file when it was opened.
    std::uint64_t SizeAtOpen() const { return m_size; }

    // Reads up to bytes into buffer: the count read, 0 at the end of the file, -1 after a
    // read error or when no file is open. Interrupted reads are retried.
    std::int64_t Read(void* buffer, std::size_t bytes);

private:
    static constexpr std::intptr_t kNoFile = -1; // also INVALID_HANDLE_VALUE
    std::intptr_t m_file = kNoFile;
    std::uint64_t m_size = 0;
};
