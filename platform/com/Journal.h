#pragma once
// The journal: one line per event the hardware or the platform sees, for
// whoever watches the program from outside. Off unless KAVRO_SIM_JOURNAL
// names a file (or a test opens one). Any thread; every line is written whole
// with a single append, so lines of several threads never mix.
#include "platform/com/Hresult.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// True when lines are being written; callers may skip building a line otherwise.
bool JournalEnabled();
// Appends text and a line end.
void JournalWrite(std::string_view line);

// Writes to this file from now on (appending), or stops writing with an empty
// path. Replaces what KAVRO_SIM_JOURNAL said.
void JournalOpen(const std::string& path);
void JournalClose();

// Pieces of lines: a C-escaped text inside double quotes; bytes as upper-case
// hex separated by one blank ("-" for none); a result as 0x and eight digits.
std::string JournalQuote(std::string_view text);
std::string JournalHex(const void* bytes, std::size_t size);
std::string JournalResult(HRESULT hr);
