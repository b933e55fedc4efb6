#include "platform/ui/FileVersion.h"

#include "platform/files/WinPath.h"

#include "platform/ui/ProgramFile.h"

#include <cstring>
#include <filesystem>
#include <string>

#ifndef KAVRO_VERSION_MAJOR
#error "the build must define the program version (KAVRO_VERSION_MAJOR ...)"
#endif

namespace {

// The record the program's file carries: a signature word that lets
// VerQueryValue find it, then the fixed information.
struct VersionRecord {
    char magic[8];
    VS_FIXEDFILEINFO fixed;
};
constexpr char kMagic[8] = {'K', 'V', 'E', 'R', 'S', 'I', 'O', 'N'};

VersionRecord ProgramRecord()
{
    VersionRecord record{};
    std::memcpy(record.magic, kMagic, sizeof kMagic);
    VS_FIXEDFILEINFO& fixed = record.fixed;
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = (KAVRO_VERSION_MAJOR << 16) | KAVRO_VERSION_MINOR;
    fixed.dwFileVersionLS = (KAVRO_VERSION_PATCH << 16) | KAVRO_VERSION_TWEAK;
    fixed.dwProductVersionMS = fixed.dwFileVersionMS;
    fixed.dwProductVersionLS = fixed.dwFileVersionLS;
    fixed.dwFileOS = 0x00040004; // VOS_NT_WINDOWS32
    fixed.dwFileType = 0x1;      // VFT_APP
    return record;
}

bool IsProgramFile(LPCWSTR file)
{
    if (!file || !*file) {
        return false;
    }
    // A Windows path text ("z:\\usr\\bin\\Kavro-TScap"), or a local path as given.
    std::filesystem::path path = file;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        path = LocalPath(file);
    }
    const std::wstring program = ProgramFilePath();
    return !program.empty() && std::filesystem::equivalent(path, std::filesystem::path(program), error) && !error;
}

} // namespace

DWORD GetFileVersionInfoSizeW(LPCWSTR file, DWORD* handle)
{
    if (handle) *handle = 0;
    return IsProgramFile(file) ? static_cast<DWORD>(sizeof(VersionRecord)) : 0;
}

BOOL GetFileVersionInfoW(LPCWSTR file, DWORD /*handle*/, DWORD size, LPVOID data)
{
    if (!data || size < sizeof(VersionRecord) || !IsProgramFile(file)) {
        return FALSE;
    }
    const VersionRecord record = ProgramRecord();
    std::memcpy(data, &record, sizeof record);
    return TRUE;
}

BOOL VerQueryValueW(LPCVOID data, LPCWSTR subBlock, LPVOID* buffer, UINT* length)
{
    if (!data || !subBlock || !buffer || !length || std::wstring(subBlock) != L"\\") {
        return FALSE;
    }
    auto* record = static_cast<const VersionRecord*>(data);
    if (std::memcmp(record->magic, kMagic, sizeof kMagic) != 0) {
        return FALSE;
    }
    *buffer = const_cast<VS_FIXEDFILEINFO*>(&record->fixed);
    *length = sizeof(VS_FIXEDFILEINFO);
    return TRUE;
}
