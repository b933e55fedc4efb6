#include "platform/files/WinPath.h"

#include "platform/com/WideText.h"
#include "platform/files/UserDataFolder.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

wchar_t UpperLetter(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool HasDriveLetter(std::wstring_view path) { return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == L':'; }

// The drive a Windows path text names and the rest of it after the drive: "x:..."
// names x:, a rooted text ("\\tmp\\x") the current drive, which is always c:; a
// relative text names none (it counts from the current folder).
struct DriveText {
    wchar_t letter;
    std::wstring_view rest;
};

std::optional<DriveText> DriveOf(std::wstring_view path)
{
    if (HasDriveLetter(path)) {
        return DriveText{path[0], path.substr(2)};
    }
    if (!path.empty() && IsSeparator(path.front())) {
        return DriveText{L'c', path};
    }
    return std::nullopt;
}

// The folders below a drive's root, without "." and with each ".." taking back the
// folder before it: at the root there is nothing to take back, so it stays there, as
// Windows resolves a path before it reaches the file system.
std::wstring InsideDrive(std::wstring_view rest)
{
    std::vector<std::wstring_view> names;
    while (!rest.empty()) {
        const std::size_t end = std::find_if(rest.begin(), rest.end(), IsSeparator) - rest.begin();
        const std::wstring_view name = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (name.empty() || name == L".") {
            continue;
        }
        if (name == L"..") {
            if (!names.empty()) names.pop_back();
            continue;
        }
        names.push_back(name);
    }
    std::wstring inside;
    for (const std::wstring_view name : names) {
        if (!inside.empty()) inside += L'/';
        inside += name;
    }
    return inside;
}

// Forward slashes only, in UTF-8.
std::string LocalText(std::wstring_view windowsText)
{
    std::wstring text(windowsText);
    std::replace(text.begin(), text.end(), L'\\', L'/');
    return ToUtf8(text);
}

std::mutex& OverrideLock()
{
    static std::mutex lock;
    return lock;
}

std::wstring& OverrideText()
{
    static std::wstring text;
    return text;
}

} // namespace

std::optional<std::filesystem::path> DriveFolder(wchar_t letter)
{
    if (!IsAsciiLetter(letter)) {
        return std::nullopt;
    }
    const char upper = static_cast<char>(UpperLetter(letter));
    const std::string variable = std::string("KAVRO_DRIVE_") + upper;
    if (const char* folder = std::getenv(variable.c_str()); folder && *folder) {
        return std::filesystem::path(folder);
    }
    if (upper == 'C') {
        const std::filesystem::path user = UserDataFolder();
        if (!user.empty()) {
            return user / "drive_c";
        }
    }
    if (upper == 'Z') {
        return std::filesystem::path("/"); // the whole Linux file system
    }
    return std::nullopt;
}

bool IsUnmappedDrive(std::wstring_view windowsPath)
{
    const auto drive = DriveOf(windowsPath);
    return drive && !DriveFolder(drive->letter);
}

std::filesystem::path LocalPath(std::wstring_view windowsPath)
{
    const auto drive = DriveOf(windowsPath);
    if (!drive) {
        return std::filesystem::path(LocalText(windowsPath));
    }
    const std::string inside = LocalText(InsideDrive(drive->rest));
    const auto folder = DriveFolder(drive->letter);
    if (!folder) {
        // Below a character device: every open and every mkdir fails with ENOTDIR,
        // even for root.
        const char letter = static_cast<char>(UpperLetter(drive->letter));
        return std::filesystem::path("/dev/null") / (std::string("unmapped-drive-") + letter) / inside;
    }
    return inside.empty() ? *folder : *folder / inside;
}

void EnsureDriveFolder(std::wstring_view windowsPath)
{
    const auto drive = DriveOf(windowsPath);
    if (!drive) {
        return;
    }
    if (const auto folder = DriveFolder(drive->letter)) {
        std::error_code ignored; // the write that follows reports the failure
        std::filesystem::create_directories(*folder, ignored);
    }
}

std::wstring WindowsPath(const std::filesystem::path& localPath)
{
    const std::filesystem::path normal = localPath.lexically_normal();
    if (normal.is_absolute()) {
        // The drive whose folder holds the path most closely: c: for its own folder,
        // z: (the root) for a path on no other drive.
        std::optional<std::wstring> best;
        std::size_t bestDepth = 0;
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            const auto folder = DriveFolder(letter);
            if (!folder || !folder->is_absolute()) {
                continue;
            }
            const std::filesystem::path inside = normal.lexically_relative(folder->lexically_normal());
            if (inside.empty() || *inside.begin() == "..") {
                continue;
            }
            const std::size_t depth = static_cast<std::size_t>(std::distance(inside.begin(), inside.end()));
            if (best && depth >= bestDepth) {
                continue;
            }
            std::wstring text{static_cast<wchar_t>(letter - L'A' + L'a'), L':', L'\\'};
            if (inside != ".") {
                text += FromUtf8(inside.generic_string());
            }
            std::replace(text.begin(), text.end(), L'/', L'\\');
            best = std::move(text);
            bestDepth = depth;
        }
        if (best) {
            return *best;
        }
    }
    std::wstring text = FromUtf8(normal.generic_string());
    std::replace(text.begin(), text.end(), L'/', L'\\');
    return text;
}

DWORD GetModuleFileNameW(void* module, LPWSTR buffer, DWORD size)
{
    if (module != nullptr || buffer == nullptr || size == 0) {
        return 0;
    }
    std::wstring path;
    {
        std::lock_guard<std::mutex> hold(OverrideLock());
        path = OverrideText();
    }
    if (path.empty()) {
        std::error_code error;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
        if (error) {
            buffer[0] = L'\0';
            return 0;
        }
        path = WindowsPath(exe);
    }
    if (path.size() >= size) {
        std::copy_n(path.begin(), size - 1, buffer);
        buffer[size - 1] = L'\0';
        return size;
    }
    std::copy(path.begin(), path.end(), buffer);
    buffer[path.size()] = L'\0';
    return static_cast<DWORD>(path.size());
}

void OverrideModuleFileName(std::wstring path)
{
    std::lock_guard<std::mutex> hold(OverrideLock());
    OverrideText() = std::move(path);
}
