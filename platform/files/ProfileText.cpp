#include "platform/files/ProfileText.h"

#include "platform/com/WideText.h"
#include "platform/files/NameCase.h"
#include "platform/files/Utf16Text.h"

#include <cstdint>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f'; }

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

std::wstring DecodeProfileBytes(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::uint32_t code = 0;
        const std::size_t length = Utf8Sequence(bytes, i, code, false);
        if (length == 0) {
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
            ++i;
        } else {
            AppendCodePoint(text, code);
            i += length;
        }
    }
    return text;
}

ProfileText::Line ProfileText::ParseLine(std::string bytes, std::string end)
{
    Line line;
    const std::wstring decoded = DecodeProfileBytes(bytes);
    line.bytes = std::move(bytes);
    line.end = std::move(end);
    const std::wstring_view text = Trim(decoded);
    if (text.empty() || text.front() == L';') {
        return line;
    }
    if (text.front() == L'[') {
        const std::size_t close = text.find(L']');
        if (close != std::wstring_view::npos) {
            line.kind = Kind::Section;
            line.name = Trim(text.substr(1, close - 1));
        }
        return line;
    }
    const std::size_t equals = text.find(L'=');
    if (equals == std::wstring_view::npos) {
        return line;
    }
    const std::wstring_view key = Trim(text.substr(0, equals));
    if (key.empty()) {
        return line;
    }
    line.kind = Kind::Entry;
    line.name = key;
    line.value = Trim(text.substr(equals + 1));
    return line;
}

ProfileText ProfileText::Parse(std::string_view fileBytes)
{
    ProfileText profile;
    // A UTF-16 file is read as its UTF-8 text and written back in UTF-16.
    std::string utf8;
    if (const auto order = Utf16BomOrder(fileBytes)) {
        profile.m_utf16 = order;
        profile.m_bom = fileBytes.substr(0, 2);
        Utf8FromUtf16 text = Utf16ToUtf8(fileBytes.substr(2), *order);
        utf8 = std::move(text.text);
        profile.m_oddByte = std::move(text.oddByte);
        fileBytes = utf8;
    } else if (fileBytes.substr(0, kBom.size()) == kBom) {
        profile.m_bom = kBom;
        fileBytes.remove_prefix(kBom.size());
    }
    bool styleFound = false;
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        const std::size_t stop = fileBytes.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            profile.m_lines.push_back(ParseLine(std::string(fileBytes.substr(start)), ""));
            break;
        }
        const std::size_t endLength =
            (fileBytes[stop] == '\r' && stop + 1 < fileBytes.size() && fileBytes[stop + 1] == '\n') ? 2 : 1;
        std::string end(fileBytes.substr(stop, endLength));
        if (!styleFound) {
            profile.m_lineEnd = end;
            styleFound = true;
        }
        profile.m_lines.push_back(ParseLine(std::string(fileBytes.substr(start, stop - start)), std::move(end)));
        start = stop + endLength;
    }
    // Entries before the first header belong to no section: they must never match.
    for (auto& line : profile.m_lines) {
        if (line.kind == Kind::Section) break;
        line.kind = Kind::Other;
    }
    return profile;
}

std::string ProfileText::Bytes() const
{
    std::string text;
    for (const auto& line : m_lines) {
        text += line.bytes;
        text += line.end;
    }
    if (m_utf16) {
        return m_bom + Utf8ToUtf16(text, *m_utf16) + m_oddByte;
    }
    return m_bom + text;
}

std::optional<std::size_t> ProfileText::FindSection(std::wstring_view section) const
{
    // The name asked for loses its surrounding blanks as the file's names did, or
    // a section written under " name " could never be read back.
    section = Trim(section);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && NamesEqualNoCase(m_lines[i].name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t ProfileText::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section) ++i;
    return i;
}

std::optional<std::wstring> ProfileText::Value(std::wstring_view section, std::wstring_view key) const
{
    key = Trim(key);
    const auto header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Entry && NamesEqualNoCase(line.name, key)) {
            const std::wstring& value = line.value;
            if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
                return value.substr(1, value.size() - 2);
            }
            return value;
        }
    }
    return std::nullopt;
}

bool ProfileText::HasSection(std::wstring_view section) const { return FindSection(section).has_value(); }

std::vector<std::wstring> ProfileText::SectionNames() const
{
    std::vector<std::wstring> names;
    for (const auto& line : m_lines) {
        if (line.kind != Kind::Section) continue;
        bool seen = false;
        for (const auto& name : names) seen = seen || NamesEqualNoCase(name, line.name);
        if (!seen) names.push_back(line.name);
    }
    return names;
}

std::vector<std::wstring> ProfileText::KeyNames(std::wstring_view section) const
{
    std::vector<std::wstring> names;
    const auto header = FindSection(section);
    if (!header) {
        return names;
    }
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::Entry) continue;
        bool seen = false;
        for (const auto& name : names) seen = seen || NamesEqualNoCase(name, line.name);
        if (!seen) names.push_back(line.name);
    }
    return names;
}

ProfileText::Line ProfileText::NewLine(std::wstring text) const { return ParseLine(ToUtf8(text), m_lineEnd); }

void ProfileText::Insert(std::size_t at, Line line)
{
    // The line before may be the file's last, without a line end of its own.
    if (at > 0 && m_lines[at - 1].end.empty()) {
        m_lines[at - 1].end = m_lineEnd;
    }
    if (at == m_lines.size()) {
        line.end = m_lineEnd;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool ProfileText::SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value)
{
    section = Trim(section);
    key = Trim(key);
    const auto header = FindSection(section);
    if (!header) {
        Insert(m_lines.size(), NewLine(L"[" + std::wstring(section) + L"]"));
        Insert(m_lines.size(), NewLine(std::wstring(key) + L"=" + std::wstring(value)));
        return true;
    }
    const std::size_t end = SectionEnd(*header);
    std::size_t after = *header + 1;
    for (std::size_t i = *header + 1; i < end; ++i) {
        Line& line = m_lines[i];
        if (line.kind != Kind::Entry) continue;
        if (NamesEqualNoCase(line.name, key)) {
            Line replaced = NewLine(line.name + L"=" + std::wstring(value));
            if (replaced.bytes == line.bytes) {
                return false;
            }
            replaced.end = line.end;
            line = std::move(replaced);
            return true;
        }
        after = i + 1;
    }
    Insert(after, NewLine(std::wstring(key) + L"=" + std::wstring(value)));
    return true;
}

bool ProfileText::DeleteKey(std::wstring_view section, std::wstring_view key)
{
    key = Trim(key);
    const auto header = FindSection(section);
    if (!header) {
        return false;
    }
    bool changed = false;
    std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end;) {
        if (m_lines[i].kind == Kind::Entry && NamesEqualNoCase(m_lines[i].name, key)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
            --end;
            changed = true;
        } else {
            ++i;
        }
    }
    return changed;
}

bool ProfileText::DeleteSection(std::wstring_view section)
{
    bool changed = false;
    while (const auto header = FindSection(section)) {
        const std::size_t end = SectionEnd(*header);
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(end));
        changed = true;
    }
    return changed;
}
