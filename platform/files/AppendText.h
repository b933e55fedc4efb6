#pragma once
// Append-mode writing of a text file, for the diagnostic log: open, write bytes at the
// end, close. Every write lands at the end of the file even when another opener
// appends too. Bytes are written as given; line-end translation is the caller's.
// One owner, one thread at a time.
#include "platform/com/WinTypes.h"

#include <cstdint>
#include <string_view>

class AppendText {
public:
    AppendText() = default;
    ~AppendText();
    AppendText(const AppendText&) = delete;
    AppendText& operator=(const AppendText&) = delete;

    // Opens a Windows path text (WinPath.h) for appending, creating the file (and, on
    // Linux, its drive folder, see EnsureDriveFolder) when missing; false when it cannot
    // be opened or is not a file on a disk.
    // Closes any file opened before.
    bool Open(LPCWSTR windowsPath);
    bool IsOpen() const { return m_file != kNoFile; }
    // All bytes or false (disk full, file-size limit, no file open); partial writes
    // are continued.
    bool Write(std::string_view bytes);
    void Close();

private:
    static constexpr std::intptr_t kNoFile = -1; // also INVALID_HANDLE_VALUE
    std::intptr_t m_file = kNoFile;              // a descriptor on Linux, a handle on Windows
};
