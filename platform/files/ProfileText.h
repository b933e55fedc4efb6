#pragma once
// The text of a private-profile (.ini) file as lines, with the Windows reading rules
// and edits that keep every untouched line byte for byte. Pure: no files; the file
// functions in PrivateProfile.h and fuzz targets drive it. Not thread-safe; one owner.
//
// Reading rules:
//   - lines end at LF, CR LF or a lone CR; a UTF-8 byte order mark at the start is
//     skipped (and kept on rewrite);
//   - a file that starts with a UTF-16 byte order mark (either byte order) is UTF-16
//     text (Utf16Text.h) and is written back in UTF-16 with its mark, new lines
//     included;
//   - bytes decode as UTF-8, and any byte that is not part of a valid UTF-8 sequence
//     as the Latin-1 character of the same value, so no file fails to read;
//   - "[name]" (blanks around it and inside the brackets ignored, anything after the
//     first ']' ignored) starts a section; a '[' line without ']' is no header;
//   - "key=value" inside a section is an entry; key and value lose surrounding blanks
//     (space, tab, vertical tab, form feed); the first '=' splits;
//   - lines starting with ';', lines without '=' and entries before the first section
//     are kept but never match;
//   - section and key names match without regard to case (NameCase.h); the first
//     matching section and the first matching entry in it win. Names asked for lose
//     their surrounding blanks as the file's names do (so "Config " finds [Config]).
#include "platform/files/Utf16Text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ProfileText {
public:
    // Never fails; any bytes give some lines.
    static ProfileText Parse(std::string_view fileBytes);

    // The whole file: untouched lines as they were read, new and changed lines in
    // UTF-8 (UTF-16 in a UTF-16 file) with the file's line-end style (the first line end in the file; CR LF for
    // a file that has none).
    std::string Bytes() const;

    // The value of an entry, blanks trimmed and one pair of surrounding double quotes
    // removed; nothing when the section or key is missing.
    std::optional<std::wstring> Value(std::wstring_view section, std::wstring_view key) const;
    bool HasSection(std::wstring_view section) const;
    // Names as written, each once (first spelling wins), in file order.
    std::vector<std::wstring> SectionNames() const;
    std::vector<std::wstring> KeyNames(std::wstring_view section) const;

    // Edits; each returns true when the text changed. SetValue replaces the first
    // matching entry's line ("key=value", the key spelled as in the file), or adds
    // "key=value" after the section's last entry, or adds the section at the end.
    bool SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    // Removes every matching entry of the first matching section.
    bool DeleteKey(std::wstring_view section, std::wstring_view key);
    // Removes every matching section: header and all lines up to the next header.
    bool DeleteSection(std::wstring_view section);

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        Kind kind = Kind::Other;
        std::wstring name;  // section name or key, blanks trimmed
        std::wstring value; // entry value, blanks trimmed, quotes kept
        std::string bytes;  // as in the file, without the line end
        std::string end;    // "\r\n", "\n", "\r", or "" on a last line without one
    };

    static Line ParseLine(std::string bytes, std::string end);
    std::optional<std::size_t> FindSection(std::wstring_view section) const;
    std::size_t SectionEnd(std::size_t header) const;
    Line NewLine(std::wstring text) const;
    void Insert(std::size_t at, Line line);

    std::string m_bom;
    std::optional<Utf16Order> m_utf16; // a UTF-16 file, in this byte order
    std::string m_oddByte;             // a UTF-16 file's odd last byte, kept
    std::string m_lineEnd = "\r\n";
    std::vector<Line> m_lines;
};

// The file's bytes as text, as the reading rules above say.
std::wstring DecodeProfileBytes(std::string_view bytes);
