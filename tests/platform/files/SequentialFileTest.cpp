#include "platform/files/FileError.h"
#include "platform/files/SequentialFile.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDrive.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

std::string Pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + seed) & 0xFF);
    return bytes;
}

TEST(SequentialFile, WritesEveryByteInOrderOverAnOldFile)
{
    TempDrive drive;
    TempDir::WriteFile(drive / "L-capture.ts", std::string(100000, 'o'));
    SequentialFile file;
    ASSERT_HR(S_OK, file.Create(L"c:\\L-capture.ts"));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Length(), 0) << "an old file is emptied";
    std::string expected;
    for (unsigned i = 0; i < 50; ++i) {
        const std::string chunk = Pattern(188 * (i % 7 + 1), i);
        DWORD written = 12345;
        ASSERT_HR(S_OK, file.Write(chunk.data(), static_cast<DWORD>(chunk.size()), &written));
        EXPECT_EQ(written, chunk.size());
        expected += chunk;
        EXPECT_EQ(file.Length(), static_cast<LONGLONG>(expected.size()));
    }
    DWORD written = 7;
    EXPECT_HR(S_OK, file.Write(nullptr, 0, &written));
    EXPECT_EQ(written, 0u);
    EXPECT_HR(S_OK, file.Write(expected.data(), 0, nullptr));
    EXPECT_HR(S_OK, file.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Length(), static_cast<LONGLONG>(expected.size())) << "the final length stays";
    EXPECT_EQ(TempDir::ReadFile(drive / "L-capture.ts"), expected);
    EXPECT_HR(S_OK, file.Close());
}

TEST(SequentialFile, HeldExclusively)
{
    TempDrive drive;
    SequentialFile first;
    ASSERT_HR(S_OK, first.Create(L"c:\\rec.ts"));
    ASSERT_HR(S_OK, first.Write("abc", 3, nullptr));

    SequentialFile second;
    EXPECT_HR(HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION), second.Create(L"c:/rec.ts"));
    EXPECT_FALSE(second.IsOpen());
#ifndef _WIN32 // on Windows nobody can even read the file meanwhile
    EXPECT_EQ(TempDir::ReadFile(drive / "rec.ts"), "abc") << "a refused opener must not empty the file";
#endif

    ASSERT_HR(S_OK, first.Write("def", 3, nullptr));
    ASSERT_HR(S_OK, first.Close());
    EXPECT_EQ(TempDir::ReadFile(drive / "rec.ts"), "abcdef");
    EXPECT_HR(S_OK, second.Create(L"c:\\rec.ts"));
    EXPECT_EQ(TempDir::ReadFile(drive / "rec.ts"), "");
}

TEST(SequentialFile, CreateAgainClosesTheFirstFileWithItsBytes)
{
    TempDrive drive;
    SequentialFile file;
    ASSERT_HR(S_OK, file.Create(L"c:\\one.ts"));
    ASSERT_HR(S_OK, file.Write("12345", 5, nullptr));
    ASSERT_HR(S_OK, file.Create(L"c:\\two.ts"));
    EXPECT_EQ(file.Length(), 0);
    ASSERT_HR(S_OK, file.Write("6", 1, nullptr));
    file.Close();
    EXPECT_EQ(TempDir::ReadFile(drive / "one.ts"), "12345");
    EXPECT_EQ(TempDir::ReadFile(drive / "two.ts"), "6");
    SequentialFile again;
    EXPECT_HR(S_OK, again.Create(L"c:\\one.ts")) << "the first file's lock was released";
}

TEST(SequentialFile, LengthFromAnotherThreadWhileWriting)
{
    TempDrive drive;
    SequentialFile file;
    ASSERT_HR(S_OK, file.Create(L"c:\\rec.ts"));
    const std::string chunk = Pattern(188 * 64, 3);
    constexpr int kChunks = 400;
    std::atomic<bool> done{false};
    std::atomic<bool> ordered{true};
    std::thread watcher([&] {
        LONGLONG last = 0;
        while (!done.load()) {
            const LONGLONG now = file.Length();
            if (now < last || now > static_cast<LONGLONG>(chunk.size()) * kChunks || !file.IsOpen()) {
                ordered = false;
            }
            last = now;
        }
    });
    for (int i = 0; i < kChunks; ++i) {
        ASSERT_HR(S_OK, file.Write(chunk.data(), static_cast<DWORD>(chunk.size()), nullptr));
    }
    done = true;
    watcher.join();
    EXPECT_TRUE(ordered) << "the length went backwards, past the end, or the file looked closed";
    EXPECT_EQ(file.Length(), static_cast<LONGLONG>(chunk.size()) * kChunks);
    file.Close();
    EXPECT_EQ(std::filesystem::file_size(drive / "rec.ts"), chunk.size() * kChunks);
}

TEST(SequentialFile, CreateFailuresNameTheirCause)
{
    TempDrive drive;
    std::filesystem::create_directory(drive / "folder");
    struct Case {
        const char* name;
        const wchar_t* path;
        HRESULT expected;
    } cases[] = {
        {"a folder named with a trailing separator", L"c:\\folder\\",
         HRESULT_FROM_WIN32(ERROR_DIRECTORY_NOT_SUPPORTED)},
        {"a missing folder", L"c:\\missing\\rec.ts", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)},
        {"an empty path", L"", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)},
        {"no path", nullptr, E_POINTER},
#ifdef _WIN32
        // The system refuses to replace a folder; a device name opens, and is refused.
        {"a folder", L"c:\\folder", HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
        {"a device", L"NUL", HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
#else
        {"a folder", L"c:\\folder", HRESULT_FROM_WIN32(ERROR_DIRECTORY_NOT_SUPPORTED)},
        {"below a file", L"c:\\folder\\..\\pipe\\rec.ts", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)},
        {"an unmapped drive", L"q:\\rec.ts", HRESULT_FROM_WIN32(ERROR_INVALID_DRIVE)},
        {"a named pipe", L"c:\\pipe", HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
#endif
    };
#ifndef _WIN32
    ASSERT_EQ(mkfifo((drive / "pipe").c_str(), 0600), 0);
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SequentialFile file;
        EXPECT_HR(c.expected, file.Create(c.path));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_HR(E_HANDLE, file.Write("x", 1, nullptr));
        if (c.expected != E_POINTER) {
            EXPECT_STRNE(FileErrorText(c.expected), "") << "a cause the user can be told";
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(drive / "folder"));
}

TEST(SequentialFile, ReadOnlyFileIsRefusedToEveryUserAndKept)
{
    // Read-only means nobody may write it; root, who may open it anyway, is refused
    // as Windows refuses an administrator. A file only its owner may write is not
    // read-only.
    struct Case {
        const char* name;
        std::filesystem::perms perms;
        HRESULT expected;
    };
    using P = std::filesystem::perms;
    const Case cases[] = {
        {"read-only for everyone", P::owner_read | P::group_read | P::others_read,
         HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
        {"no permission at all", P::none, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
        {"writable by its owner", P::owner_read | P::owner_write, S_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDrive drive;
        TempDir::WriteFile(drive / "old.ts", "earlier recording");
        std::filesystem::permissions(drive / "old.ts", c.perms);
        SequentialFile file;
        EXPECT_HR(c.expected, file.Create(L"c:\\old.ts"));
        EXPECT_EQ(SUCCEEDED(c.expected), file.IsOpen());
        file.Close();
        std::filesystem::permissions(drive / "old.ts", P::owner_all);
        EXPECT_EQ(SUCCEEDED(c.expected) ? "" : "earlier recording", TempDir::ReadFile(drive / "old.ts"));
    }
}

#ifndef _WIN32
// A full disk, a read-only file system and the file-size limit, on Linux's own
// namespaces and limits.

constexpr int kCannotMount = 77;

void WriteProcFile(const char* name, const std::string& text)
{
    const int fd = open(name, O_WRONLY);
    if (fd < 0) return;
    [[maybe_unused]] const ssize_t ignored = write(fd, text.data(), text.size());
    close(fd);
}

// Runs body in a child process that sees a small tmpfs (mount options as given) at
// folder, in a mount namespace of its own so nothing outside changes. The child's exit
// code comes back; kCannotMount when this machine allows no such mount.
int WithPrivateTmpfs(const std::filesystem::path& folder, const char* options, const std::function<int()>& body)
{
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        const uid_t uid = geteuid();
        const gid_t gid = getegid();
        if (uid != 0) {
            if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) _exit(kCannotMount);
            // Files created inside need an owner the kernel can map.
            WriteProcFile("/proc/self/setgroups", "deny");
            WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
            WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
        } else if (unshare(CLONE_NEWNS) != 0) {
            _exit(kCannotMount);
        }
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) _exit(kCannotMount);
        std::filesystem::create_directories(folder);
        if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options) != 0) _exit(kCannotMount);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST(SequentialFile, FullDiskFailsTheWriteAndKeepsEarlierBytes)
{
    TempDrive drive;
    const std::string bytes = Pattern(188 * 1000, 5);
    const int result = WithPrivateTmpfs(drive / "small", "size=64k", [&] {
        SequentialFile file;
        if (FAILED(file.Create(L"c:\\small\\rec.ts"))) return 10;
        HRESULT hr = S_OK;
        std::size_t offered = 0;
        DWORD written = 0;
        while (SUCCEEDED(hr) && offered < bytes.size()) {
            hr = file.Write(bytes.data() + offered, 188 * 7, &written);
            offered += 188 * 7;
        }
        if (hr != HRESULT_FROM_WIN32(ERROR_DISK_FULL)) return 11;
        const auto length = static_cast<std::size_t>(file.Length());
        if (length == 0 || length != offered - 188 * 7 + written) return 12;
        if (file.Close() != S_OK) return 13;
        if (TempDir::ReadFile(drive / "small" / "rec.ts") != bytes.substr(0, length)) return 14;
        return 0;
    });
    if (result == kCannotMount) GTEST_SKIP() << "no private tmpfs mount allowed here";
    EXPECT_EQ(result, 0);
}

TEST(SequentialFile, ReadOnlyPlacesAreRefused)
{
    TempDrive drive;
    if (geteuid() != 0) {
        std::filesystem::create_directory(drive / "locked");
        std::filesystem::permissions(drive / "locked",
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        SequentialFile file;
        EXPECT_HR(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), file.Create(L"c:\\locked\\rec.ts"));
    }
    const int result = WithPrivateTmpfs(drive / "ro", "size=64k", [&] {
        if (mount(nullptr, (drive / "ro").c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) return kCannotMount;
        SequentialFile file;
        return file.Create(L"c:\\ro\\rec.ts") == HRESULT_FROM_WIN32(ERROR_WRITE_PROTECT) ? 0 : 1;
    });
    if (result == kCannotMount) GTEST_SKIP() << "no private read-only mount allowed here";
    EXPECT_EQ(result, 0);
}

TEST(SequentialFile, FileSizeLimitFailsTheWriteAndKeepsEarlierBytes)
{
    TempDrive drive;
    const std::string bytes = Pattern(1500, 9);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Without the ignored signal the process would die here with SIGXFSZ.
        const rlimit limit{1000, 1000};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(10);
        SequentialFile file;
        if (FAILED(file.Create(L"c:\\rec.ts"))) _exit(11);
        DWORD written = 0;
        if (file.Write(bytes.data(), 600, &written) != S_OK || written != 600) _exit(12);
        const HRESULT hr = file.Write(bytes.data() + 600, 900, &written);
        if (hr != HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE)) _exit(13);
        if (written != 400 || file.Length() != 1000) _exit(14);
        if (file.Write(bytes.data() + 1000, 1, &written) != HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE) || written != 0) {
            _exit(15);
        }
        if (file.Close() != S_OK) _exit(16);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(TempDir::ReadFile(drive / "rec.ts"), bytes.substr(0, 1000));
}
#endif

} // namespace
