#pragma once
// What the fuzz targets share: an invariant check that stops the run (libFuzzer
// then saves the input), a reader that hands out the input piece by piece, and a
// private temporary folder for the readers that only take files.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

// A broken invariant aborts: printing alone would let the run go on and the
// input be lost.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Hands out the fuzzer's bytes from the front; past the end every read gives zeros
// and Rest() an empty view.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_offset >= m_size; }
    std::uint8_t Byte() { return m_offset < m_size ? m_data[m_offset++] : 0; }
    std::uint32_t Word()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
        return value;
    }
    // Up to count bytes.
    std::string_view Bytes(std::size_t count)
    {
        const std::size_t n = std::min(count, m_size - std::min(m_offset, m_size));
        const std::string_view bytes(reinterpret_cast<const char*>(m_data) + m_offset, n);
        m_offset += n;
        return bytes;
    }
    std::string_view Rest() { return Bytes(m_size); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

// A folder of this process, made once and removed at exit; the readers that take
// only file names read the inputs from it. In memory (/dev/shm) where there is one:
// rewriting a file on a disk costs more than the reading under test.
inline std::filesystem::path FuzzTempRoot()
{
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

inline const std::filesystem::path& FuzzFolder()
{
    struct Folder {
        Folder() : path(FuzzTempRoot() / ("kavro-fuzz-" + std::to_string(::getpid())))
        {
            std::filesystem::create_directories(path);
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        std::filesystem::path path;
    };
    static const Folder folder;
    return folder.path;
}

inline void WriteFuzzFile(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}
