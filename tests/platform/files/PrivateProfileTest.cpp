#include "platform/com/WideText.h"
#include "platform/files/PrivateProfile.h"
#include "platform/files/ProfileText.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

// On Windows the profile functions are the system's: there the tests below check only
// what the program relies on (defaults, integers, concurrent writers). The reading and
// writing rules the Linux stand-in keeps (comments, duplicate names, line ends, UTF-8
// and UTF-16 files, refused line breaks) are its own tests; the system's differ in
// places (it writes new lines in the ANSI code page with CR LF, for one).
const wchar_t* const kFile = L"c:\\settings\\Kavro-TScap.ini";

class PrivateProfile : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(drive / "settings"); }
    std::filesystem::path File() const { return drive / "settings" / "Kavro-TScap.ini"; }
    void Store(const std::string& bytes) const { TempDir::WriteFile(File(), bytes); }
    std::string Stored() const { return TempDir::ReadFile(File()); }

    TempDrive drive;
};

#ifndef _WIN32 // the Linux stand-in's rules; on Windows the system's own apply
TEST_F(PrivateProfile, ReadsValuesAsWindowsDoes)
{
    const std::string file = "; settings of the tuner page\r\n"
                             "Orphan=before any section\r\n"
                             "[Config]\r\n"
                             "Frequency=11778\r\n"
                             "  LNB Low  =  9750  \r\n"
                             "Quoted=\"  12 34  \"\r\n"
                             "HalfQuoted=\"abc\r\n"
                             "Empty=\r\n"
                             "NoEquals\r\n"
                             ";Frequency=1\r\n"
                             "Path=c:\\L-capture.ts\r\n"
                             "Twice=first\r\n"
                             "Twice=second\r\n"
                             "[ Spaced ]\r\n"
                             "Key=in spaced\r\n"
                             "[Other]\r\n"
                             "Frequency=12000\r\n"
                             "[CONFIG]\r\n"
                             "Later=in duplicate section\r\n"
                             "[Broken\r\n"
                             "Tail=no line end";
    Store(file);

    struct Case {
        const char* name;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* fallback;
        DWORD size;
        std::wstring text;
        DWORD result;
    } cases[] = {
        {"plain value", L"Config", L"Frequency", L"x", 64, L"11778", 5},
        {"section and key match without regard to case", L"cONFIG", L"FREQUENCY", L"x", 64, L"11778", 5},
        {"blanks around key and value are dropped", L"Config", L"LNB Low", L"x", 64, L"9750", 4},
        {"surrounding double quotes are removed, inner blanks kept", L"Config", L"Quoted", L"x", 64, L"  12 34  ", 9},
        {"a lone quote stays", L"Config", L"HalfQuoted", L"x", 64, L"\"abc", 4},
        {"an empty value is a value, not the default", L"Config", L"Empty", L"x", 64, L"", 0},
        {"a line without '=' is no key", L"Config", L"NoEquals", L"dflt", 64, L"dflt", 4},
        {"a comment is no key", L"Config", L";Frequency", L"dflt", 64, L"dflt", 4},
        {"backslashes are plain characters", L"Config", L"Path", L"", 64, L"c:\\L-capture.ts", 15},
        {"the first of two equal keys wins", L"Config", L"Twice", L"", 64, L"first", 5},
        {"blanks inside the brackets are dropped", L"Spaced", L"Key", L"", 64, L"in spaced", 9},
        {"the same key in another section", L"Other", L"Frequency", L"", 64, L"12000", 5},
        {"only the first of two equal sections is read", L"Config", L"Later", L"dflt", 64, L"dflt", 4},
        {"keys before any section match nothing", L"Config", L"Orphan", L"dflt", 64, L"dflt", 4},
        {"a header without ']' starts no section", L"Broken", L"Tail", L"dflt", 64, L"dflt", 4},
        {"missing key gives the default", L"Config", L"Symbol", L"27500", 64, L"27500", 5},
        {"missing section gives the default", L"Nowhere", L"Frequency", L"27500", 64, L"27500", 5},
        {"null default is empty", L"Config", L"Symbol", nullptr, 64, L"", 0},
        {"trailing blanks of the default are dropped", L"Config", L"Symbol", L"ab  ", 64, L"ab", 2},
        {"a long value is cut to size-1", L"Config", L"Frequency", L"", 4, L"117", 3},
        {"a value that just fits", L"Config", L"Frequency", L"", 6, L"11778", 5},
        {"a long default is cut too", L"Config", L"Symbol", L"abcdef", 3, L"ab", 2},
        {"size 1 holds only the NUL", L"Config", L"Frequency", L"", 1, L"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<wchar_t> buffer(c.size + 4, L'#');
        EXPECT_EQ(GetPrivateProfileStringW(c.section, c.key, c.fallback, buffer.data(), c.size, kFile), c.result);
        EXPECT_EQ(std::wstring(buffer.data()), c.text);
        EXPECT_EQ(buffer[c.size], L'#') << "wrote past the buffer";
    }
}
#endif

TEST_F(PrivateProfile, MissingOrUnreadableFilesGiveTheDefault)
{
    std::filesystem::create_directories(drive / "settings" / "folder.ini");
    struct Case {
        const char* name;
        const wchar_t* file;
    } cases[] = {
        {"missing file", L"c:\\settings\\absent.ini"},
        {"missing folder", L"c:\\nowhere\\absent.ini"},
        {"a folder", L"c:\\settings\\folder.ini"},
        {"unmapped drive", L"q:\\Kavro-TScap.ini"},
        {"no file name", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        wchar_t buffer[16] = L"#";
        EXPECT_EQ(GetPrivateProfileStringW(L"Config", L"Frequency", L"dflt", buffer, 16, c.file), 4u);
        EXPECT_EQ(std::wstring(buffer), L"dflt");
        EXPECT_EQ(GetPrivateProfileIntW(L"Config", L"Frequency", 42, c.file), 42u);
    }
}

#ifndef _WIN32 // the Linux stand-in's rules; on Windows the system's own apply
TEST_F(PrivateProfile, ListsSectionAndKeyNamesAsDoubleNulLists)
{
    Store("[Config]\nA=1\nb=2\nA=3\n[Other]\nC=4\n[config]\nD=5\n[Empty]\n");
    struct Case {
        const char* name;
        const wchar_t* section;
        DWORD size;
        std::wstring list; // with its NULs, up to and including the final NUL
        DWORD result;
    } cases[] = {
        {"sections once each, first spelling", nullptr, 64, std::wstring(L"Config\0Other\0Empty\0\0", 20), 19},
        {"keys of the first matching section once each", L"CONFIG", 64, std::wstring(L"A\0b\0\0", 5), 4},
        {"a section without keys", L"Empty", 64, std::wstring(L"\0\0", 2), 0},
        {"a missing section lists nothing", L"Nowhere", 64, std::wstring(L"\0\0", 2), 0},
        {"a list cut inside its last name", nullptr, 10, std::wstring(L"Config\0O\0\0", 10), 8},
        {"a cut list ends in two NULs", L"Config", 3, std::wstring(L"A\0\0", 3), 1},
        {"room for two NULs only", nullptr, 2, std::wstring(L"\0\0", 2), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<wchar_t> buffer(c.size + 1, L'#');
        const DWORD result = GetPrivateProfileStringW(c.section, nullptr, L"dflt", buffer.data(), c.size, kFile);
        EXPECT_EQ(result, c.result);
        const std::size_t compared = std::min<std::size_t>(c.list.size(), c.size);
        EXPECT_EQ(std::wstring(buffer.data(), compared), c.list.substr(0, compared));
        EXPECT_EQ(buffer[c.size], L'#') << "wrote past the buffer";
    }
}
#endif

TEST_F(PrivateProfile, ReadsIntegers)
{
    Store("[Config]\nA=55zz\nB=0x1F\nC=-1\nD=abc\nE=\nF=  +7 \nG=4294967297\nH=0b101\nI=\"12\"\n");
    struct Case {
        const char* key;
        UINT expected;
    } cases[] = {
        {"A", 55u}, {"B", 31u}, {"C", 0xFFFFFFFFu}, {"D", 0u},  {"E", 99u},
        {"F", 7u},  {"G", 1u},  {"H", 5u},          {"I", 12u}, {"Missing", 99u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const std::wstring key(c.key, c.key + std::char_traits<char>::length(c.key));
        EXPECT_EQ(GetPrivateProfileIntW(L"Config", key.c_str(), 99, kFile), c.expected);
    }
}

#ifndef _WIN32 // the Linux stand-in's rules; on Windows the system's own apply
TEST_F(PrivateProfile, WritesKeepEveryOtherLine)
{
    struct Case {
        const char* name;
        std::optional<std::string> before; // nothing: no file yet
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
        BOOL result;
        std::optional<std::string> after; // nothing: still no file
    } cases[] = {
        {"a new file with section and key", std::nullopt, L"Config", L"Frequency", L"11778", TRUE,
         "[Config]\r\nFrequency=11778\r\n"},
        {"replaced in place, comments and other lines kept",
         "; top\r\n[Config]\r\nA=1\r\n; note\r\nFreq = 1 \r\nB=2\r\n", L"config", L"FREQ", L"2", TRUE,
         "; top\r\n[Config]\r\nA=1\r\n; note\r\nFreq=2\r\nB=2\r\n"},
        {"LF file stays LF", "[Config]\nA=1\n", L"Config", L"B", L"2", TRUE, "[Config]\nA=1\nB=2\n"},
        {"added after the section's last key, not after its trailing blank line",
         "[Config]\r\nA=1\r\n\r\n[Other]\r\nC=3\r\n", L"Config", L"B", L"2", TRUE,
         "[Config]\r\nA=1\r\nB=2\r\n\r\n[Other]\r\nC=3\r\n"},
        {"added under a header without keys", "[Config]\r\n[Other]\r\n", L"Config", L"A", L"1", TRUE,
         "[Config]\r\nA=1\r\n[Other]\r\n"},
        {"a new section goes to the end", "[Other]\r\nC=3\r\n", L"Config", L"A", L"1", TRUE,
         "[Other]\r\nC=3\r\n[Config]\r\nA=1\r\n"},
        {"a last line without line end gets one", "[Config]\r\nA=1", L"Config", L"B", L"2", TRUE,
         "[Config]\r\nA=1\r\nB=2\r\n"},
        {"the replaced last line keeps having no line end", "[Config]\r\nA=1", L"Config", L"A", L"5", TRUE,
         "[Config]\r\nA=5"},
        {"bytes that are not UTF-8 survive untouched", "; caf\xE9\r\n[Config]\r\nName=\xE9t\xE9\r\nA=1\r\n", L"Config",
         L"A", L"\u00E9", TRUE, "; caf\xE9\r\n[Config]\r\nName=\xE9t\xE9\r\nA=\xC3\xA9\r\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[Config]\nA=1\n", L"Config", L"A", L"2", TRUE,
         "\xEF\xBB\xBF[Config]\nA=2\n"},
        {"value null deletes every copy of the key", "[Config]\r\nA=1\r\nB=2\r\na=3\r\n", L"Config", L"A", nullptr,
         TRUE, "[Config]\r\nB=2\r\n"},
        {"key null deletes the section with its comments", "[Config]\r\nA=1\r\n; c\r\n[Other]\r\nC=3\r\n", L"CONFIG",
         nullptr, nullptr, TRUE, "[Other]\r\nC=3\r\n"},
        {"deleting what is not there leaves the file", "[Other]\r\nC=3\r\n", L"Config", L"A", nullptr, TRUE,
         "[Other]\r\nC=3\r\n"},
        {"deleting from no file creates none", std::nullopt, L"Config", nullptr, nullptr, TRUE, std::nullopt},
        {"a value with a line break is refused", "[Config]\r\nA=1\r\n", L"Config", L"A", L"1\r\n[Evil]", FALSE,
         "[Config]\r\nA=1\r\n"},
        {"a key with '=' is refused", "[Config]\r\nA=1\r\n", L"Config", L"A=B", L"1", FALSE, "[Config]\r\nA=1\r\n"},
        {"a section with ']' is refused", std::nullopt, L"Con]fig", L"A", L"1", FALSE, std::nullopt},
        {"no section is refused", std::nullopt, nullptr, L"A", L"1", FALSE, std::nullopt},
        {"all null only flushes", std::nullopt, nullptr, nullptr, nullptr, TRUE, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(File());
        if (c.before) Store(*c.before);
        EXPECT_EQ(WritePrivateProfileStringW(c.section, c.key, c.value, kFile), c.result);
        ASSERT_EQ(std::filesystem::exists(File()), c.after.has_value());
        if (c.after) {
            EXPECT_EQ(Stored(), *c.after);
        }
    }
}

TEST_F(PrivateProfile, WrittenValuesReadBack)
{
    const std::wstring values[] = {L"11778", L"", L"with = sign", L"\u00C4rger \u03A9 \u4E2D", L"c:\\L-capture.ts"};
    for (const auto& value : values) {
        ASSERT_TRUE(WritePrivateProfileStringW(L"Config", L"Key", value.c_str(), kFile));
        wchar_t buffer[64];
        EXPECT_EQ(GetPrivateProfileStringW(L"Config", L"Key", L"dflt", buffer, 64, kFile), value.size());
        EXPECT_EQ(std::wstring(buffer), value);
    }
    // Non-ASCII names match without regard to case as well.
    ASSERT_TRUE(WritePrivateProfileStringW(L"\u00C4RGER", L"\u0416", L"1", kFile));
    EXPECT_EQ(GetPrivateProfileIntW(L"\u00E4rger", L"\u0436", 0, kFile), 1u);
}

// The file's names lose their surrounding blanks when read, and so do the names a
// caller asks for: a value written under a name with blanks reads back under it.
TEST_F(PrivateProfile, NamesWithSurroundingBlanksFindTheFilesNames)
{
    struct Case {
        const char* name;
        const wchar_t* section;
        const wchar_t* key;
    };
    const Case cases[] = {
        {"blanks after the section", L"Config ", L"Key"},
        {"tab before the key", L"Config", L"\tKey"},
        {"form feed after the section", L"Config\f", L"Key"},
        {"blanks around both", L" \vConfig\t", L" Key "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Store("[Config]\r\nKey=7\r\n");
        EXPECT_EQ(GetPrivateProfileIntW(c.section, c.key, -1, kFile), 7u);
        ASSERT_TRUE(WritePrivateProfileStringW(c.section, c.key, L"12", kFile));
        EXPECT_EQ(Stored(), "[Config]\r\nKey=12\r\n");
        EXPECT_EQ(GetPrivateProfileIntW(c.section, c.key, -1, kFile), 12u);

        // A section that is not there yet is written under the bare name.
        ASSERT_TRUE(WritePrivateProfileStringW((std::wstring(c.section) + L"2").c_str(), c.key, L"5", kFile));
        EXPECT_EQ(GetPrivateProfileIntW((std::wstring(c.section) + L"2").c_str(), c.key, -1, kFile), 5u);
        ASSERT_TRUE(WritePrivateProfileStringW(c.section, c.key, nullptr, kFile));
        EXPECT_EQ(GetPrivateProfileIntW(c.section, c.key, -1, kFile), static_cast<UINT>(-1));
    }
}
#endif

#ifndef _WIN32
// What only the Linux stand-in has to do: make drive c:'s folder, keep the file's mode
// across its rewrite, follow links.
TEST_F(PrivateProfile, WriteCreatesTheDriveFolderButNoOtherFolder)
{
    std::filesystem::remove_all(drive.path());
    EXPECT_FALSE(WritePrivateProfileStringW(L"Config", L"A", L"1", L"c:\\missing\\x.ini"));
    EXPECT_FALSE(std::filesystem::exists(drive / "missing"));
    EXPECT_TRUE(WritePrivateProfileStringW(L"Config", L"A", L"1", L"c:\\x.ini"));
    EXPECT_EQ(TempDir::ReadFile(drive / "x.ini"), "[Config]\r\nA=1\r\n");
    EXPECT_FALSE(WritePrivateProfileStringW(L"Config", L"A", L"1", L"q:\\x.ini"));
}

TEST_F(PrivateProfile, RewriteKeepsPermissionsAndLeavesNoTemporaryFile)
{
    Store("[Config]\r\nA=1\r\n");
    ASSERT_EQ(chmod(File().c_str(), 0640), 0);
    ASSERT_TRUE(WritePrivateProfileStringW(L"Config", L"A", L"2", kFile));
    struct stat info {};
    ASSERT_EQ(stat(File().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(drive / "settings")) ++files;
    EXPECT_EQ(files, 1u);
}

TEST_F(PrivateProfile, WritesThroughASymbolicLinkToItsTarget)
{
    Store("[Config]\r\nA=1\r\n");
    std::filesystem::create_symlink(File(), drive / "link.ini");
    ASSERT_TRUE(WritePrivateProfileStringW(L"Config", L"A", L"2", L"c:\\link.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(drive / "link.ini"));
    EXPECT_EQ(Stored(), "[Config]\r\nA=2\r\n");
}
#endif

TEST_F(PrivateProfile, ConcurrentWritersLoseNoKey)
{
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([t] {
            for (int i = 0; i < 25; ++i) {
                const std::wstring key = L"K" + std::to_wstring(t) + L"_" + std::to_wstring(i);
                WritePrivateProfileStringW(L"Config", key.c_str(), L"1", kFile);
            }
        });
    }
    for (auto& writer : writers) writer.join();
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 25; ++i) {
            const std::wstring key = L"K" + std::to_wstring(t) + L"_" + std::to_wstring(i);
            EXPECT_EQ(GetPrivateProfileIntW(L"Config", key.c_str(), 0, kFile), 1u) << ToUtf8(key);
        }
    }
}

#ifndef _WIN32 // the Linux stand-in's rules; on Windows the system's own apply
// Text as UTF-16 code units in this byte order, each char one unit.
std::string Utf16(std::u16string_view text, bool bigEndian = false)
{
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST_F(PrivateProfile, Utf16FilesAreReadAndWrittenInTheirOwnEncoding)
{
    struct Case {
        const char* name;
        bool bigEndian;
        std::string tail; // bytes after the last line, kept
    } cases[] = {
        {"little-endian", false, ""},
        {"big-endian", true, ""},
        {"an odd last byte", false, "\x41"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string mark = c.bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        const std::string original =
            mark + Utf16(u"[Config]\r\nCity=C\u00F4te d'Ivoire \U0001F600\r\nLone=\xD800x\r\n", c.bigEndian) + c.tail;
        Store(original);
        std::vector<WCHAR> buffer(64);
        const std::wstring city = L"C\u00F4te d'Ivoire \U0001F600";
        EXPECT_EQ(GetPrivateProfileStringW(L"Config", L"City", L"", buffer.data(), 64, kFile), city.size());
        EXPECT_EQ(std::wstring(buffer.data()), city);
        EXPECT_EQ(GetPrivateProfileIntW(L"Config", L"Missing", 7, kFile), 7u);

        ASSERT_TRUE(WritePrivateProfileStringW(L"Config", L"Lone", L"\u00E9t\u00E9", kFile));
        ASSERT_TRUE(WritePrivateProfileStringW(L"New", L"Key", L"\u20AC", kFile));
        EXPECT_EQ(Stored(),
                  mark +
                      Utf16(u"[Config]\r\nCity=C\u00F4te d'Ivoire \U0001F600\r\nLone=\u00E9t\u00E9\r\n"
                            u"[New]\r\nKey=\u20AC\r\n",
                            c.bigEndian) +
                      c.tail)
            << "no 8-bit section appended, the untouched lines and the odd byte kept";
        EXPECT_EQ(GetPrivateProfileStringW(L"New", L"Key", L"", buffer.data(), 64, kFile), 1u);
        EXPECT_EQ(std::wstring(buffer.data()), L"\u20AC");
    }
}
#endif

TEST(ProfileText, AnyBytesParseAndRoundTrip)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    const std::string inputs[] = {
        "",
        "\r\r\n\n\r",
        "[",
        "]=[",
        "=",
        "[A]\n=value\n",
        std::string("[A]\nK=\0v\n", 9),
        "\xF0\x9F\x98\x80[\xC3\x28]\n\xE2\x82=\xFF\n",
        std::string(1 << 20, 'x') + "=" + std::string(1 << 20, 'y'),
        garbage,
        "\xFF\xFE" + garbage,
        "\xFE\xFF" + garbage + "\x01",
    };
    for (const auto& input : inputs) {
        const ProfileText text = ProfileText::Parse(input);
        EXPECT_EQ(text.Bytes(), input);
        (void)text.SectionNames();
    }
    ProfileText tail = ProfileText::Parse("[A]\nK=\xC3\x28");
    EXPECT_EQ(tail.Value(L"A", L"K"), std::wstring(L"\u00C3("));
}

TEST(ProfileText, DecodesUtf8AndFallsBackToLatin1PerByte)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"ASCII", "abc", L"abc"},
        {"two, three and four byte sequences", "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80", L"\u00E4\u20AC\U0001F600"},
        {"a lone Latin-1 byte", "caf\xE9", L"caf\u00E9"},
        {"a sequence cut by the end", "\xE2\x82", L"\u00E2\u0082"},
        {"an overlong encoding", "\xC0\xAF", L"\u00C0\u00AF"},
        {"an encoded surrogate", "\xED\xA0\x80", L"\u00ED\u00A0\u0080"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeProfileBytes(c.bytes), c.text);
    }
}

} // namespace
