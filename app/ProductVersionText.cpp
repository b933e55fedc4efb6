#include "app/ProductVersionText.h"

#include "process/ProgramDirectory.h"
#include "platform/ui/FileVersion.h"

#include <cwchar>
#include <vector>

std::wstring GetProductVersionText(const wchar_t* path)
{
    const std::wstring file = path ? std::wstring(path) : ModuleFilePath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    if (size == 0) return std::wstring();

    std::vector<unsigned char> data(size);
    LPVOID root = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(file.c_str(), handle, size, data.data()) ||
        !VerQueryValueW(data.data(), L"\\", &root, &length) || !root || length < sizeof(VS_FIXEDFILEINFO)) {
        return std::wstring();
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(root);
    wchar_t text[64];
    std::swprintf(text, 64, L" %d.%d.%d.%d ", HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                  HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    return text;
}
