#include "platform/files/WinPath.h"

#include "platform/com/WideText.h"
#include "platform/files/UserDataFolder.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <system_error>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

wchar_t UpperLetter(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool HasDriveLetter(std::wstring_view path) { return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == L':'; }

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
    return std::nullopt;
}

bool IsUnmappedDrive(std::wstring_view windowsPath)
{
    return HasDriveLetter(windowsPath) && !DriveFolder(windowsPath[0]);
}

std::filesystem::path LocalPath(std::wstring_view windowsPath)
{
    if (!HasDriveLetter(windowsPath)) {
        return std::filesystem::path(LocalText(windowsPath));
    }
    std::wstring_view rest = windowsPath.substr(2);
    while (!rest.empty() && IsSeparator(rest.front())) {
        rest.remove_prefix(1);
    }
    const auto folder = DriveFolder(windowsPath[0]);
    if (!folder) {
        // Below a character device: every open and every mkdir fails with ENOTDIR,
        // even for root.
        const char letter = static_cast<char>(UpperLetter(windowsPath[0]));
        return std::filesystem::path("/dev/null") / (std::string("unmapped-drive-") + letter) / LocalText(rest);
    }
    return rest.empty() ? *folder : *folder / LocalText(rest);
}

void EnsureDriveFolder(std::wstring_view windowsPath)
{
    if (!HasDriveLetter(windowsPath)) {
        return;
    }
    if (const auto folder = DriveFolder(windowsPath[0])) {
        std::error_code ignored; // the write that follows reports the failure
        std::filesystem::create_directories(*folder, ignored);
    }
}

std::wstring WindowsPath(const std::filesystem::path& localPath)
{
    const std::filesystem::path normal = localPath.lexically_normal();
    if (normal.is_absolute()) {
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            const auto folder = DriveFolder(letter);
            if (!folder || !folder->is_absolute()) {
                continue;
            }
            const std::filesystem::path inside = normal.lexically_relative(folder->lexically_normal());
            if (inside.empty() || *inside.begin() == "..") {
                continue;
            }
            std::wstring text{static_cast<wchar_t>(letter - L'A' + L'a'), L':', L'\\'};
            if (inside != ".") {
                text += FromUtf8(inside.generic_string());
            }
            std::replace(text.begin(), text.end(), L'/', L'\\');
            return text;
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
