#include "positioner/SatelliteFiles.h"

#include "platform/com/WideText.h"
#include "platform/files/FileSearch.h"
#include "platform/files/PrivateProfile.h"
#include "positioner/SatelliteEntry.h"

#include <array>
#include <memory>
#include <type_traits>

namespace {

// The value of one SATTYPE key, as the 260-character buffer holds it.
std::string SatTypeValue(LPCWSTR key, const std::wstring& file)
{
    std::array<WCHAR, MAX_PATH> value{};
    GetPrivateProfileStringW(L"SATTYPE", key, L"", value.data(), static_cast<DWORD>(value.size()), file.c_str());
    return ToUtf8(value.data());
}

struct SearchCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
using SearchHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, SearchCloser>;

} // namespace

std::vector<std::wstring> SatelliteListEntries(std::wstring_view programFolder)
{
    const std::wstring folder = std::wstring(programFolder) + L"\\Transponders\\";
    std::vector<std::wstring> entries;
    WIN32_FIND_DATAW found{};
    const HANDLE first = FindFirstFileW((folder + L"*.ini").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) {
        return entries;
    }
    const SearchHandle search(first);
    do {
        const std::wstring file = folder + found.cFileName;
        entries.push_back(FromUtf8(SatelliteListEntry(SatTypeValue(L"1", file), SatTypeValue(L"2", file))));
    } while (FindNextFileW(search.get(), &found));
    return entries;
}
