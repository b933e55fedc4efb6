#include "platform/files/WholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

WholeFileRead ReadAll(int fd, std::size_t maxBytes, std::string& bytes)
{
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) return WholeFileRead::Read;
        if (got < 0) {
            if (errno == EINTR) continue;
            return WholeFileRead::Failed;
        }
        if (static_cast<std::size_t>(got) > maxBytes - bytes.size()) return WholeFileRead::TooLarge;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace

WholeFileRead ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    // O_NONBLOCK keeps a named pipe from blocking the open; it is refused just below.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        return errno == ENOENT || errno == ENOTDIR ? WholeFileRead::Missing : WholeFileRead::Failed;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return WholeFileRead::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        return WholeFileRead::NotRegular;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        return WholeFileRead::TooLarge;
    }
    try {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        return ReadAll(fd.get(), maxBytes, bytes); // the file may grow while it is read
    } catch (const std::bad_alloc&) {
        bytes.clear();
        bytes.shrink_to_fit();
        return WholeFileRead::Failed;
    }
}

const char* WholeFileReadText(WholeFileRead result)
{
    switch (result) {
    case WholeFileRead::Read:
        return "";
    case WholeFileRead::Missing:
        return "does not exist";
    case WholeFileRead::NotRegular:
        return "is not a regular file";
    case WholeFileRead::TooLarge:
        return "is too large";
    case WholeFileRead::Failed:
        break;
    }
    return "cannot be read";
}
