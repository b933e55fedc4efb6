#pragma once
// The transcript: one line per thing the user would have seen (windows opened
// and ended, titles, message boxes, shell opens, control dumps, script
// results). Off unless KAVRO_UI_TRANSCRIPT names a file or a test captures it.
// Any thread; each line is written whole. The line formats are documented in
// docs/automation.md and only ever extended.
#include <string>
#include <string_view>

class Transcript {
public:
    static bool Enabled();
    // Appends the line and a line end to the file and to the capture, if any.
    static void Write(std::string_view line);

    // Writes to this file from now on (created or truncated); empty stops.
    static bool OpenFile(const std::string& path);
    // Collects lines in memory until TakeCapture, besides any file.
    static void BeginCapture();
    static std::string TakeCapture();

    // A text in double quotes, C-escaped, UTF-8.
    static std::string Quote(std::wstring_view text);
    static std::string Quote(std::string_view utf8);
};
