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

void IgnoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}
