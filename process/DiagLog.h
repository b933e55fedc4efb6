#pragma once
// The diagnostic log: a plain-text trace of start-up, device enumeration and graph
// construction, appended line by line to "c:\iptools.log" (WinPath.h maps the drive).
//
// Each line is formatted in two stages: first the header
//     "[MM/DD/YY HH:MM:SS : TICK] " + the caller's format + "\n"
// (TICK is the millisecond tick count as a signed 32-bit decimal in at least 8 columns,
// right-aligned; 0 prints as 8 blanks), then that whole text is the format for the
// caller's arguments. Formats follow the Windows wide-character conventions: %s and %c
// take wide texts and characters, %hs and %S narrow ones, %ld is 32 bits, %I64d 64
// bits. %n is never honoured: it prints as "%n".
//
// The formatted text is at most kMaxLogChars characters, its final "\n" included; a
// longer one keeps its first kMaxLogChars-1 characters and ends in "\n", so a cut line
// never runs into the next one. Characters are stored as 8-bit bytes (Latin-1; others
// become '?') and every "\n" as CR LF.
//
// The file is opened for appending and closed again for every line; a line that
// cannot be written is dropped without a word. No lock: the user-interface thread is
// the only writer.
#include "platform/com/WinTypes.h"

#include <cstdarg>
#include <cstddef>
#include <string>

inline constexpr std::size_t kMaxLogChars = 255;
inline constexpr const wchar_t* kLogFile = L"c:\\iptools.log";

void LogLine(const wchar_t* format, ...);

// The moment a line is stamped with: local date "MM/DD/YY", local time "HH:MM:SS" and
// the tick count in milliseconds.
struct LogStamp {
    std::wstring date;
    std::wstring time;
    DWORD tick = 0;
};
LogStamp CurrentLogStamp();

// The bytes LogLine appends for this stamp, format and arguments.
std::string FormatLogLine(const LogStamp& stamp, const wchar_t* format, ...);
std::string FormatLogLineV(const LogStamp& stamp, const wchar_t* format, va_list args);

// A Windows wide-character format as the C library here understands it, with the same
// meaning for the same arguments (see above). Placeholders that are not valid come out
// as literal text, never as a conversion.
std::wstring TranslateWindowsFormat(std::wstring_view format);
