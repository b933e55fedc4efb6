#pragma once
// The recorder's output file: created (or truncated) for sequential writing and held
// exclusively, as a Windows file opened with CREATE_ALWAYS and no sharing.
//
// Every byte handed to Write goes straight to the file (a descriptor on Linux, a
// handle on Windows), in order; nothing is held back in user space, so Close cannot
// lose data. A write that fails (disk full, file-size limit) keeps every byte before
// the failure in the file and says how many of this call's bytes were written. On
// Linux, pages already written leave the page cache behind the write position
// (DropBehind.h), so a long recording does not fill it.
//
// Threads: Create, Write, Truncate and Close from one thread at a time (the recorder's lock);
// Length and IsOpen from any thread, also while another thread writes.
#include "platform/com/Hresult.h"
#include "platform/com/WinTypes.h"
#ifndef _WIN32
#include "platform/files/DropBehind.h"
#endif

#include <atomic>
#include <cstdint>

class SequentialFile {
public:
    SequentialFile() = default;
    ~SequentialFile();
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;

    // Opens a Windows path text (WinPath.h), creating the file or emptying it, and takes
    // an exclusive lock on it; a file open before is closed first. Failures, the file
    // left as it was (on Windows the system's own codes, a device name refused as
    // access denied):
    //   E_POINTER                            path null
    //   HRESULT_FROM_WIN32(ERROR_INVALID_DRIVE)           drive letter without a folder
    //   HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)          missing folder, empty path
    //   HRESULT_FROM_WIN32(ERROR_DIRECTORY_NOT_SUPPORTED) the path is a folder
    //   HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)           no permission, a read-only file
    //                                                     (no write permission for anyone,
    //                                                     refused also to root), or not a
    //                                                     regular file
    //   HRESULT_FROM_WIN32(ERROR_WRITE_PROTECT)           read-only file system
    //   HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION)       another opener holds the file
    // (FileError.h names the rest.)
    HRESULT Create(LPCWSTR windowsPath);

    // Appends bytes (partial writes are continued). written (may be null) receives the
    // bytes of this call that reached the file, also on failure. E_HANDLE when no file
    // is open, E_POINTER for null data with bytes > 0,
    // HRESULT_FROM_WIN32(ERROR_DISK_FULL), HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE) ...
    HRESULT Write(const void* data, DWORD bytes, DWORD* written);

    // Bytes in the file: those written since Create. After Close it stays the final
    // length until the next Create.
    LONGLONG Length() const { return m_length.load(std::memory_order_acquire); }

    // Cuts the file to its first length bytes (at most Length()); the next Write
    // continues there. E_HANDLE when no file is open, E_INVALIDARG for a length
    // outside 0..Length().
    HRESULT Truncate(LONGLONG length);

    // Closes the file and releases the lock; S_OK also when nothing was open.
    HRESULT Close();
    bool IsOpen() const { return m_file.load(std::memory_order_acquire) != kNoFile; }

private:
    static constexpr std::intptr_t kNoFile = -1; // also INVALID_HANDLE_VALUE
    std::atomic<std::intptr_t> m_file{kNoFile};
    std::atomic<LONGLONG> m_length{0};
#ifndef _WIN32
    DropBehind m_dropBehind; // the writer's
#endif
};
