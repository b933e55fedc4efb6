#include "platform/files/FileError.h"

#include <cerrno>
#include <csignal>
#include <mutex>

HRESULT HresultFromErrno(int error)
{
    switch (error) {
    case 0:
        return S_OK;
    case ENOSPC:
    case EDQUOT:
        return HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    case EFBIG:
        return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    case EISDIR:
        return HRESULT_FROM_WIN32(ERROR_DIRECTORY_NOT_SUPPORTED);
    case EACCES:
    case EPERM:
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    case EROFS:
        return HRESULT_FROM_WIN32(ERROR_WRITE_PROTECT);
    case ENOENT:
    case ENOTDIR:
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    case ENAMETOOLONG:
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    case EMFILE:
    case ENFILE:
        return HRESULT_FROM_WIN32(ERROR_TOO_MANY_OPEN_FILES);
    case ENOMEM:
        return HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY);
    case EBADF:
        return HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE);
    case EWOULDBLOCK:
        return HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION);
    default:
        return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
    }
}

const char* FileErrorText(HRESULT hr)
{
    struct Text {
        std::uint32_t error;
        const char* text;
    };
    static constexpr Text kTexts[] = {
        {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
        {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
        {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
        {ERROR_ACCESS_DENIED, "Access is denied."},
        {ERROR_INVALID_HANDLE, "The handle is invalid."},
        {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
        {ERROR_INVALID_DRIVE, "The system cannot find the drive specified."},
        {ERROR_WRITE_PROTECT, "The media is write protected."},
        {ERROR_WRITE_FAULT, "The system cannot write to the specified device."},
        {ERROR_SHARING_VIOLATION, "The process cannot access the file because it is being used by another process."},
        {ERROR_DISK_FULL, "There is not enough space on the disk."},
        {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
        {ERROR_FILE_TOO_LARGE, "The file size exceeds the limit allowed and cannot be saved."},
        {ERROR_DIRECTORY_NOT_SUPPORTED, "An operation is not supported on a directory."},
    };
    for (const auto& entry : kTexts) {
        if (HRESULT_FROM_WIN32(entry.error) == hr) return entry.text;
    }
    return "";
}

void IgnoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}
