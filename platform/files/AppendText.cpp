#include "platform/files/AppendText.h"

#include "platform/files/FileError.h"
#include "platform/files/WinPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

AppendText::~AppendText() { Close(); }

bool AppendText::Open(LPCWSTR windowsPath)
{
    Close();
    if (!windowsPath || *windowsPath == L'\0') {
        return false;
    }
    IgnoreFileSizeSignal();
    EnsureDriveFolder(windowsPath);
    // O_NONBLOCK keeps a named pipe without reader from blocking the open; only
    // regular files are accepted below.
    const int fd = ::open(LocalPath(windowsPath).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(fd, F_SETFL, O_APPEND) != 0) {
        ::close(fd);
        return false;
    }
    m_file = fd;
    return true;
}

bool AppendText::Write(std::string_view bytes)
{
    if (m_file == kNoFile) {
        return false;
    }
    const int fd = static_cast<int>(m_file);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

void AppendText::Close()
{
    if (m_file != kNoFile) {
        ::close(static_cast<int>(m_file));
    }
    m_file = kNoFile;
}
