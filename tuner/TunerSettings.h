#pragma once
// TunerSettings: the Tuner Setting page's tuning parameters as the settings file
// "Kavro-TScap.ini" (section "Config") keeps them, and the file's reading and
// writing. Pure of any window; any thread (the private-profile stand-ins
// serialise their calls), though only the page's UI thread uses it.
#include "platform/com/WinTypes.h"

#include <string>
#include <string_view>

inline constexpr const wchar_t* kSettingsFileName = L"Kavro-TScap.ini";
inline constexpr const wchar_t* kSettingsSection = L"Config";

struct TunerSettings {
    // List indexes; -1 when the list has no selection.
    LONG polarity = 0; // 0 Horizontal, 1 Vertical
    LONG diseqc = 0;   // 0 no switch command, 1 to 4 ports A to D
    LONG goldcode = 0; // scrambling code value, as entered
    LONG goldtype = 0; // 0 root code, 1 gold code
    // The five edit texts as typed (MHz, kSps); converted only when tuning.
    std::wstring freq;
    std::wstring symbol;
    std::wstring lnblow;
    std::wstring lnbhigh;
    std::wstring lnbswitch;
};

// A settings text as an integer: leading blanks, an optional sign, decimal
// digits up to the first other character; 0 when there are none. A value beyond
// the 32-bit range is held at its end rather than wrapped.
LONG SettingsInteger(std::wstring_view text);

// programDirectory + "\" + the file name.
std::wstring SettingsFilePath(const std::wstring& programDirectory);

// Reads every key; a missing file or key gives its default (0 or empty text).
// A value is read into 260 characters at most (259 and the terminator).
TunerSettings ReadTunerSettings(const std::wstring& path);

// Writes "polarity", "diseqc", "goldcode", "goldtype" as decimal text, then
// "freq", "symbol", "lnblow", "lnbhigh", "lnbswitch" as the texts, in that
// order, each unconditionally. False when any write failed (the page does not
// report it).
bool WriteTunerSettings(const std::wstring& path, const TunerSettings& settings);
