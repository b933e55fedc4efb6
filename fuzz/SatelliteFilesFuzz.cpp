// The program's satellite file readers: any bytes as the one file of a
// Transponders folder, listed as the Motor/Positioner page lists it, and the
// position code read back from the entry as "Go" reads it.
//
// First input byte: 0 names the file "Sat.ini", 1 "SAT.INI", 2 "sat.Ini" (any
// case of the extension is a satellite file), the rest the file.
// Invariants: one file gives exactly one entry; the entry is the position code,
// two blanks and the name, each at most 259 characters, as the settings reader
// gives the two values.
#include "fuzz/FuzzCheck.h"
#include "platform/com/WideText.h"
#include "platform/files/PrivateProfile.h"
#include "platform/files/WinPath.h"
#include "positioner/SatelliteEntry.h"
#include "positioner/SatelliteFiles.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    static const char* const kNames[] = {"Sat.ini", "SAT.INI", "sat.Ini"};
    const char* name = kNames[input.Byte() % 3];
    const std::string_view bytes = input.Rest();

    const auto program = FuzzFolder() / "program";
    const auto folder = program / "Transponders";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    WriteFuzzFile(folder / name, bytes);

    const auto entries = SatelliteListEntries(WindowsPath(program));
    FUZZ_CHECK(entries.size() == 1);
    const std::wstring& entry = entries.front();
    FUZZ_CHECK(entry.size() <= 259 + 2 + 259);
    FUZZ_CHECK(entry.find(L"  ") != std::wstring::npos);

    // The entry from the values as the private-profile reader gives them.
    const std::wstring file = WindowsPath(folder / name);
    wchar_t code[260];
    wchar_t satellite[260];
    GetPrivateProfileStringW(L"SATTYPE", L"1", L"", code, 260, file.c_str());
    GetPrivateProfileStringW(L"SATTYPE", L"2", L"", satellite, 260, file.c_str());
    const std::string built = SatelliteListEntry(ToUtf8(code), ToUtf8(satellite));
    FUZZ_CHECK(entry == FromUtf8(built));

    (void)SatelliteCodeFromText(built);
    (void)SatelliteCodeFromText(ToUtf8(entry));
    (void)SatelliteCodeFromText(bytes);
    return 0;
}
