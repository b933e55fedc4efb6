#include "platform/files/ReadOnlyFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ReadOnlyOpen ReadOnlyFile::Open(const std::filesystem::path& path)
{
    Close();
    // O_NONBLOCK keeps a named pipe from blocking the open; it is refused just below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? ReadOnlyOpen::Missing : ReadOnlyOpen::Failed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return ReadOnlyOpen::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadOnlyOpen::NotRegular;
    }
    m_file = fd;
    m_size = static_cast<std::uint64_t>(info.st_size);
    return ReadOnlyOpen::Opened;
}

void ReadOnlyFile::Close()
{
    if (m_file != kNoFile) {
        ::close(static_cast<int>(m_file));
    }
    m_file = kNoFile;
    m_size = 0;
}

std::int64_t ReadOnlyFile::Read(void* buffer, std::size_t bytes)
{
    if (m_file == kNoFile) {
        return -1;
    }
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(m_file), buffer, std::min<std::size_t>(bytes, 1u << 30));
        if (got < 0 && errno == EINTR) continue;
        return got;
    }
}
