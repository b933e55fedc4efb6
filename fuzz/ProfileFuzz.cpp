// The private-profile reader: any bytes as an .ini file, read through the text
// model and through the Windows functions over a real file.
//
// First input byte: the caller's buffer size (0 to 255 characters); the rest is the
// file. Invariants: an untouched file comes back byte for byte; every listed section
// and key is found again; a value set is read back; a read never reports more
// characters than the buffer holds, and a cut list ends in two NULs; a value
// written to the file reads back and the file keeps its sections.
#include "fuzz/FuzzCheck.h"
#include "platform/files/PrivateProfile.h"
#include "platform/files/ProfileText.h"
#include "platform/files/WinPath.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// The caller's buffer, exactly size characters on the heap, so a write past it
// is an AddressSanitizer report.
struct Buffer {
    explicit Buffer(DWORD size) : size(size), chars(std::make_unique<wchar_t[]>(size ? size : 1)) {}
    DWORD size;
    std::unique_ptr<wchar_t[]> chars;
};

void CheckString(DWORD returned, const Buffer& buffer)
{
    if (buffer.size == 0) {
        FUZZ_CHECK(returned == 0);
        return;
    }
    FUZZ_CHECK(returned < buffer.size);
    FUZZ_CHECK(buffer.chars[returned] == L'\0');
}

// A list (names each ending in NUL, a second NUL at the end) never overruns.
void CheckList(DWORD returned, const Buffer& buffer)
{
    if (buffer.size == 0) {
        FUZZ_CHECK(returned == 0);
        return;
    }
    FUZZ_CHECK(returned < buffer.size);
    // Whole: the last name's NUL, then the list's. Cut: two NULs end the last name.
    FUZZ_CHECK(buffer.chars[returned] == L'\0');
    if (returned > 0) {
        FUZZ_CHECK(buffer.chars[returned - 1] == L'\0' ||
                   (returned + 1 < buffer.size && buffer.chars[returned + 1] == L'\0'));
    }
}

void FuzzText(std::string_view bytes)
{
    ProfileText text = ProfileText::Parse(bytes);
    FUZZ_CHECK(text.Bytes() == bytes);
    (void)DecodeProfileBytes(bytes);

    const auto sections = text.SectionNames();
    for (const auto& section : sections) {
        FUZZ_CHECK(text.HasSection(section));
        for (const auto& key : text.KeyNames(section)) {
            FUZZ_CHECK(text.Value(section, key).has_value());
        }
    }
    if (!sections.empty()) {
        const std::wstring& section = sections.front();
        text.SetValue(section, L"FuzzKey", L"fuzz value");
        FUZZ_CHECK(text.Value(section, L"FuzzKey") == std::optional<std::wstring>(L"fuzz value"));
        // The edited text reads back to the same value.
        FUZZ_CHECK(ProfileText::Parse(text.Bytes()).Value(section, L"FuzzKey") ==
                   std::optional<std::wstring>(L"fuzz value"));
        text.DeleteKey(section, L"FuzzKey");
        FUZZ_CHECK(!text.Value(section, L"FuzzKey").has_value());
        text.DeleteSection(section);
        FUZZ_CHECK(!text.HasSection(section));
    }
}

void FuzzFile(DWORD size, std::string_view bytes)
{
    const auto local = FuzzFolder() / "profile.ini";
    WriteFuzzFile(local, bytes);
    const std::wstring file = WindowsPath(local);

    Buffer buffer(size);
    DWORD returned = GetPrivateProfileStringW(nullptr, nullptr, L"", buffer.chars.get(), size, file.c_str());
    CheckList(returned, buffer);

    // The sections again, with a buffer large enough for any, to walk each one.
    // No list is longer than the file plus its NULs.
    const auto whole = static_cast<DWORD>(bytes.size() + 2);
    Buffer all(whole);
    const DWORD listed = GetPrivateProfileStringW(nullptr, nullptr, L"", all.chars.get(), all.size, file.c_str());
    CheckList(listed, all);
    std::vector<std::wstring> sections;
    for (const wchar_t* name = all.chars.get(); *name && sections.size() < 3; name += std::wcslen(name) + 1) {
        sections.emplace_back(name);
    }
    for (const auto& section : sections) {
        returned = GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.chars.get(), size, file.c_str());
        CheckList(returned, buffer);
        Buffer keys(whole);
        returned = GetPrivateProfileStringW(section.c_str(), nullptr, L"", keys.chars.get(), keys.size, file.c_str());
        CheckList(returned, keys);
        int walked = 0;
        for (const wchar_t* key = keys.chars.get(); *key && walked < 3; key += std::wcslen(key) + 1, ++walked) {
            returned =
                GetPrivateProfileStringW(section.c_str(), key, L"default ", buffer.chars.get(), size, file.c_str());
            CheckString(returned, buffer);
            (void)GetPrivateProfileIntW(section.c_str(), key, -7, file.c_str());
        }
    }
    // A missing key gives the default without its trailing blanks.
    returned =
        GetPrivateProfileStringW(L"no such section \x01", L"k", L"dflt  ", buffer.chars.get(), size, file.c_str());
    CheckString(returned, buffer);
    if (size > 4) FUZZ_CHECK(std::wstring(buffer.chars.get()) == L"dflt");
    FUZZ_CHECK(GetPrivateProfileIntW(L"no such section \x01", L"k", -7, file.c_str()) == static_cast<UINT>(-7));

    // A write to the file reads back and keeps the sections there were.
    if (!sections.empty() && !sections.front().empty() &&
        sections.front().find_first_of(L"]\r\n") == std::wstring::npos) {
        const std::wstring before(all.chars.get(), listed);
        const std::wstring& section = sections.front();
        FUZZ_CHECK(WritePrivateProfileStringW(section.c_str(), L"FuzzKey", L"12345", file.c_str()));
        FUZZ_CHECK(GetPrivateProfileIntW(section.c_str(), L"FuzzKey", -7, file.c_str()) == 12345);
        Buffer after(whole + 64);
        const DWORD listedAfter =
            GetPrivateProfileStringW(nullptr, nullptr, L"", after.chars.get(), after.size, file.c_str());
        FUZZ_CHECK(std::wstring(after.chars.get(), listedAfter).compare(0, before.size(), before) == 0);
        FUZZ_CHECK(WritePrivateProfileStringW(section.c_str(), L"FuzzKey", nullptr, file.c_str()));
        FUZZ_CHECK(GetPrivateProfileIntW(section.c_str(), L"FuzzKey", -7, file.c_str()) == static_cast<UINT>(-7));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const DWORD bufferSize = input.Byte();
    const std::string_view bytes = input.Rest();
    FuzzText(bytes);
    FuzzFile(bufferSize, bytes);
    return 0;
}
