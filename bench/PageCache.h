#pragma once
// How much of a file the page cache holds now, as fincore (util-linux) tells
// it: the file's pages resident in memory, by mincore on a mapping of it
// (which reads nothing in). For the benchmarks only.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <vector>

// Bytes of the file in the page cache; 0 for an empty or unreadable file.
inline std::uint64_t CachedBytes(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat info {};
    std::uint64_t cached = 0;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        const auto size = static_cast<std::size_t>(info.st_size);
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
        if (map != MAP_FAILED) {
            const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
            std::vector<unsigned char> resident((size + page - 1) / page);
            if (::mincore(map, size, resident.data()) == 0) {
                for (unsigned char r : resident) cached += (r & 1) ? page : 0;
            }
            ::munmap(map, size);
        }
    }
    ::close(fd);
    return cached;
}
