#pragma once
// A private-profile (INI) text held in memory: "[section]" lines followed by
// "key=value" lines. Sections and keys match without regard to ASCII case; the
// first section and the first key of a name win, as the Windows reader has it.
// Values lose surrounding blanks and one pair of enclosing double quotes.
// Lines that are neither a section nor a key (blank, ";" or "#" comments,
// junk) are skipped. Never fails: any bytes give some document.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sim {

class IniText {
public:
    struct Options {
        // World files allow a comment after a value: " ; text" (a semicolon
        // after a blank or tab) ends the value.
        bool inlineComments = false;
    };

    IniText() = default;
    explicit IniText(std::string_view text) : IniText(text, Options{}) {}
    IniText(std::string_view text, Options options);

    // The value, or nothing when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    const Section* Find(std::string_view section) const;

    std::vector<Section> m_sections;
};

// ASCII case-insensitive equality, as profile names compare.
bool EqualsNoCase(std::string_view a, std::string_view b);
// Blanks, tabs and line ends removed at both ends.
std::string_view Trim(std::string_view text);

} // namespace sim
