#include "platform/files/PrivateProfile.h"

#include "platform/files/ProfileText.h"
#include "platform/files/VirtualStore.h"
#include "platform/files/WinPath.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kMaxFileBytes = 64u << 20;

// One lock for every profile file: Windows serialises its profile functions too, and a
// read-modify-write must not interleave with another one on the same file.
std::mutex& ProfileLock()
{
    static std::mutex lock;
    return lock;
}

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
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

enum class ReadResult { Read, Missing, Failed };

// The whole file. O_NONBLOCK keeps a named pipe from blocking the open; regular files
// ignore it.
ReadResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes, struct stat& info)
{
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        return (errno == ENOENT) ? ReadResult::Missing : ReadResult::Failed;
    }
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > kMaxFileBytes) {
        return ReadResult::Failed;
    }
    bytes.clear();
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadResult::Failed;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxFileBytes) return ReadResult::Failed; // grew while read
    }
    return ReadResult::Read;
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Writes the new contents beside the file and renames it over the old one: a reader,
// a crash or a full disk sees either the old file or the new one, never half of it.
bool ReplaceFile(const std::filesystem::path& path, const std::string& bytes, const struct stat* old)
{
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::filesystem::path temp;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temp = folder /
            ("." + path.filename().string() + "." + std::to_string(::getpid()) + "." +
             std::to_string(counter.fetch_add(1)) + ".tmp");
        // 0666 lets the umask decide a new file's permissions as for any other file.
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw < 0 && errno != EEXIST) return false;
    }
    Descriptor fd(raw);
    if (fd.get() < 0) {
        return false;
    }
    bool ok = WriteAll(fd.get(), bytes);
    if (ok && old) {
        ::fchmod(fd.get(), old->st_mode & 07777);
        // Only root may give the file back to another owner; failing that is harmless.
        [[maybe_unused]] const int ignored = ::fchown(fd.get(), old->st_uid, old->st_gid);
    }
    ok = ok && ::fsync(fd.get()) == 0;
    ok = (::close(fd.release()) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

// The file a profile path stands for; a symbolic link is followed so that the rename
// replaces the file it points to, not the link.
std::filesystem::path ProfilePath(LPCWSTR fileName)
{
    std::filesystem::path path = LocalPath(fileName);
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto target = std::filesystem::weakly_canonical(path, error);
        if (!error) path = target;
    }
    return path;
}

std::optional<ProfileText> LoadProfile(LPCWSTR fileName)
{
    if (!fileName) {
        return std::nullopt;
    }
    std::string bytes;
    struct stat info {};
    if (ReadWholeFile(VirtualStoreReadPath(LocalPath(fileName)), bytes, info) != ReadResult::Read) {
        return std::nullopt;
    }
    return ProfileText::Parse(bytes);
}

DWORD CopyValue(std::wstring_view text, LPWSTR buffer, DWORD size)
{
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<DWORD>(count);
}

DWORD CopyList(const std::vector<std::wstring>& names, LPWSTR buffer, DWORD size)
{
    std::wstring list;
    for (const auto& name : names) {
        list += name;
        list += L'\0';
    }
    if (list.size() + 1 <= size) {
        std::copy(list.begin(), list.end(), buffer);
        buffer[list.size()] = L'\0';
        // A list without names still ends in two NULs where there is room for them.
        if (list.empty() && size > 1) buffer[1] = L'\0';
        return static_cast<DWORD>(list.size());
    }
    if (size < 2) {
        buffer[0] = L'\0';
        return 0;
    }
    std::copy_n(list.begin(), size - 2, buffer);
    buffer[size - 2] = L'\0';
    buffer[size - 1] = L'\0';
    return size - 2;
}

bool HasLineBreak(std::wstring_view text) { return text.find_first_of(L"\r\n") != std::wstring_view::npos; }

std::wstring_view TrimBlanks(std::wstring_view text)
{
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer, DWORD size,
                               LPCWSTR fileName)
{
    if (!buffer || size == 0) {
        return 0;
    }
    std::lock_guard<std::mutex> hold(ProfileLock());
    const std::optional<ProfileText> profile = LoadProfile(fileName);
    if (!section) {
        return CopyList(profile ? profile->SectionNames() : std::vector<std::wstring>{}, buffer, size);
    }
    if (!key) {
        return CopyList(profile ? profile->KeyNames(section) : std::vector<std::wstring>{}, buffer, size);
    }
    if (profile) {
        if (const auto value = profile->Value(section, key)) {
            return CopyValue(*value, buffer, size);
        }
    }
    std::wstring_view fallback = defaultValue ? defaultValue : L"";
    while (!fallback.empty() && fallback.back() == L' ') fallback.remove_suffix(1);
    return CopyValue(fallback, buffer, size);
}

UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName)
{
    if (!section || !key) {
        return static_cast<UINT>(defaultValue);
    }
    std::optional<std::wstring> value;
    {
        std::lock_guard<std::mutex> hold(ProfileLock());
        if (const auto profile = LoadProfile(fileName)) value = profile->Value(section, key);
    }
    if (!value || value->empty()) {
        return static_cast<UINT>(defaultValue);
    }
    std::wstring_view text = *value;
    bool negative = false;
    if (text.front() == L'-' || text.front() == L'+') {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.size() >= 2 && text[0] == L'0') {
        const wchar_t mark = text[1];
        if (mark == L'x' || mark == L'X') base = 16;
        if (mark == L'o' || mark == L'O') base = 8;
        if (mark == L'b' || mark == L'B') base = 2;
        if (base != 10) text.remove_prefix(2);
    }
    UINT result = 0;
    for (wchar_t c : text) {
        unsigned digit = 0;
        if (c >= L'0' && c <= L'9')
            digit = static_cast<unsigned>(c - L'0');
        else if (c >= L'a' && c <= L'f')
            digit = static_cast<unsigned>(c - L'a' + 10);
        else if (c >= L'A' && c <= L'F')
            digit = static_cast<unsigned>(c - L'A' + 10);
        else
            break;
        if (digit >= base) break;
        result = result * base + digit; // unsigned: wraps as documented
    }
    return negative ? 0u - result : result;
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName)
{
    if (!section && !key && !value) {
        return TRUE;
    }
    if (!section || !fileName || *fileName == L'\0') {
        return FALSE;
    }
    const std::wstring_view sectionName = TrimBlanks(section);
    if (sectionName.empty() || HasLineBreak(sectionName) || sectionName.find(L']') != std::wstring_view::npos) {
        return FALSE;
    }
    std::wstring_view keyName;
    if (key) {
        keyName = TrimBlanks(key);
        if (keyName.empty() || HasLineBreak(keyName) || keyName.find(L'=') != std::wstring_view::npos ||
            keyName.front() == L';' || keyName.front() == L'[') {
            return FALSE;
        }
    }
    if (value && HasLineBreak(value)) {
        return FALSE;
    }

    std::lock_guard<std::mutex> hold(ProfileLock());
    const bool writing = key && value;
    if (writing) {
        EnsureDriveFolder(fileName);
    }
    // A folder the user cannot write keeps the user's copy in the store.
    const std::filesystem::path path = VirtualStoreWritePath(ProfilePath(fileName));
    std::string bytes;
    struct stat info {};
    const ReadResult read = ReadWholeFile(path, bytes, info);
    if (read == ReadResult::Failed) {
        return FALSE;
    }
    ProfileText profile = ProfileText::Parse(bytes);
    bool changed = false;
    if (!key) {
        changed = profile.DeleteSection(sectionName);
    } else if (!value) {
        changed = profile.DeleteKey(sectionName, keyName);
    } else {
        changed = profile.SetValue(sectionName, keyName, value);
    }
    if (!changed) {
        return TRUE;
    }
    return ReplaceFile(path, profile.Bytes(), read == ReadResult::Read ? &info : nullptr) ? TRUE : FALSE;
}
