#include "sim/tuner/IniText.h"

namespace sim {

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view Trim(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

namespace {

std::string_view CutInlineComment(std::string_view value)
{
    for (std::size_t i = 1; i < value.size(); ++i) {
        if (value[i] == ';' && (value[i - 1] == ' ' || value[i - 1] == '\t')) {
            return value.substr(0, i);
        }
    }
    return value;
}

std::string Unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

} // namespace

IniText::IniText(std::string_view text, Options options)
{
    // An index, not a pointer: adding sections moves them.
    constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);
    std::size_t current = kNoSection;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const auto close = line.find(']');
            if (close == std::string_view::npos) {
                current = kNoSection; // a broken header: its keys belong to no section
                continue;
            }
            m_sections.push_back(Section{std::string(Trim(line.substr(1, close - 1))), {}});
            current = m_sections.size() - 1;
            continue;
        }
        const auto equals = line.find('=');
        if (current == kNoSection || equals == std::string_view::npos) {
            continue;
        }
        std::string_view value = line.substr(equals + 1);
        if (options.inlineComments) {
            value = CutInlineComment(value);
        }
        m_sections[current].keys.emplace_back(std::string(Trim(line.substr(0, equals))), Unquote(Trim(value)));
    }
}

const IniText::Section* IniText::Find(std::string_view section) const
{
    for (const auto& s : m_sections) {
        if (EqualsNoCase(s.name, section)) {
            return &s;
        }
    }
    return nullptr;
}

bool IniText::HasSection(std::string_view section) const { return Find(section) != nullptr; }

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const
{
    // Windows looks in the first section of that name only.
    const Section* s = Find(section);
    if (!s) {
        return std::nullopt;
    }
    for (const auto& [name, value] : s->keys) {
        if (EqualsNoCase(name, key)) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace sim
