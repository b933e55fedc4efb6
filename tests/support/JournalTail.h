#pragma once
// Reading back the simulator's journal: one file read from where the last read
// stopped, and the kinds of line tests pick out of a journal's text.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A journal file read in turns: each Next gives the whole lines written since
// the previous Next (or since construction), so a test sees what one step
// wrote. A line still being written (no line end yet) waits for the next turn.
class JournalTail {
public:
    explicit JournalTail(std::filesystem::path file);

    const std::filesystem::path& path() const { return m_file; }
    // The file's whole text, "" while it does not exist; does not move the tail.
    std::string Text() const;

    // The new lines that start with prefix ("" takes every line).
    std::vector<std::string> Next(std::string_view prefix = "");
    // The new lines that start with one of the prefixes.
    std::vector<std::string> Next(const std::vector<std::string>& prefixes);

private:
    std::filesystem::path m_file;
    std::size_t m_read = 0;
};

// The lines of journal that start with prefix, in order.
std::vector<std::string> JournalLines(const std::string& journal, std::string_view prefix);
// The numbers that follow prefix on the lines that start with it, in order.
std::vector<std::uint64_t> JournalNumbers(const std::string& journal, const std::string& prefix);
// The texts of the journal's `debug "TEXT"` lines, still C-escaped.
std::vector<std::string> DebugTexts(const std::string& journal);
