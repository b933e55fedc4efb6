#include "platform/files/SequentialFile.h"

#include "platform/files/FileError.h"
#include "platform/files/WinPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool EndsWithSeparator(std::wstring_view path)
{
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

} // namespace

SequentialFile::~SequentialFile() { Close(); }

HRESULT SequentialFile::Create(LPCWSTR windowsPath)
{
    Close();
    if (!windowsPath) {
        return E_POINTER;
    }
    const std::wstring_view text = windowsPath;
    if (text.empty()) {
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    }
    if (IsUnmappedDrive(text)) {
        return HRESULT_FROM_WIN32(ERROR_INVALID_DRIVE);
    }
    IgnoreFileSizeSignal();
    EnsureDriveFolder(text);
    const auto path = LocalPath(text);
    if (EndsWithSeparator(text)) {
        struct stat info {};
        const bool folder = ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        return folder ? HRESULT_FROM_WIN32(ERROR_DIRECTORY_NOT_SUPPORTED) : HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    }
    // No O_TRUNC: the file may be held by another opener, and it must not be emptied
    // before the lock says it is ours. O_NONBLOCK keeps a named pipe from blocking the
    // open; it is refused below.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        // ENXIO: a named pipe nobody reads, refused like any other non-regular file.
        return errno == ENXIO ? HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) : HresultFromErrno(errno);
    }
    struct stat info {};
    HRESULT hr = S_OK;
    if (::fstat(fd, &info) != 0) {
        hr = HresultFromErrno(errno);
    } else if (!S_ISREG(info.st_mode)) {
        hr = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    } else if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        // A file nobody may write is read-only: Windows refuses to replace it even
        // for an administrator, and root would otherwise open it like any other.
        hr = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        hr = (errno == EWOULDBLOCK) ? HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) : HresultFromErrno(errno);
    } else if (::ftruncate(fd, 0) != 0 || ::fcntl(fd, F_SETFL, 0) != 0) {
        hr = HresultFromErrno(errno);
    }
    if (FAILED(hr)) {
        ::close(fd);
        return hr;
    }
    m_length.store(0, std::memory_order_release);
    m_dropBehind.Reset();
    m_file.store(fd, std::memory_order_release);
    return S_OK;
}

HRESULT SequentialFile::Write(const void* data, DWORD bytes, DWORD* written)
{
    if (written) {
        *written = 0;
    }
    const int fd = static_cast<int>(m_file.load(std::memory_order_acquire));
    if (fd < 0) {
        return E_HANDLE;
    }
    if (!data && bytes > 0) {
        return E_POINTER;
    }
    const auto* next = static_cast<const char*>(data);
    DWORD done = 0;
    HRESULT hr = S_OK;
    while (done < bytes) {
        const ssize_t put = ::write(fd, next + done, bytes - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            // A regular file answers 0 only when it can take nothing more.
            hr = (put == 0) ? HRESULT_FROM_WIN32(ERROR_DISK_FULL) : HresultFromErrno(errno);
            break;
        }
        done += static_cast<DWORD>(put);
        m_length.fetch_add(put, std::memory_order_acq_rel);
    }
    if (done > 0) {
        DropBehind::Apply(fd, m_dropBehind.Advance(m_length.load(std::memory_order_acquire)));
    }
    if (written) {
        *written = done;
    }
    return hr;
}

HRESULT SequentialFile::Truncate(LONGLONG length)
{
    const int fd = static_cast<int>(m_file.load(std::memory_order_acquire));
    if (fd < 0) {
        return E_HANDLE;
    }
    if (length < 0 || length > m_length.load(std::memory_order_acquire)) {
        return E_INVALIDARG;
    }
    // Shortening needs no space, so it works on a full disk and past a size limit.
    if (::ftruncate(fd, length) != 0 || ::lseek(fd, length, SEEK_SET) < 0) {
        return HresultFromErrno(errno);
    }
    m_length.store(length, std::memory_order_release);
    return S_OK;
}

HRESULT SequentialFile::Close()
{
    const int fd = static_cast<int>(m_file.exchange(kNoFile, std::memory_order_acq_rel));
    if (fd < 0) {
        return S_OK;
    }
    // Linux closes the descriptor even when close reports an error; it is not retried.
    return ::close(fd) == 0 ? S_OK : HresultFromErrno(errno);
}
