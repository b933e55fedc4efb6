#include "tuner/TunerSettings.h"

#include "platform/files/PrivateProfile.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// The read buffer of every key, terminator included.
constexpr DWORD kValueChars = 260;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r'; }

std::wstring ReadValue(const std::wstring& path, LPCWSTR key)
{
    wchar_t buffer[kValueChars] = {};
    const DWORD length = GetPrivateProfileStringW(kSettingsSection, key, L"", buffer, kValueChars, path.c_str());
    return std::wstring(buffer, length);
}

} // namespace

LONG SettingsInteger(std::wstring_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    // Accumulated as a magnitude and held at the limit, so "99999999999" cannot
    // overflow into a small or negative number.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<LONG>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[at] - L'0'), kLimit);
    }
    if (negative) return static_cast<LONG>(-magnitude);
    return static_cast<LONG>(std::min<std::int64_t>(magnitude, std::numeric_limits<LONG>::max()));
}

std::wstring SettingsFilePath(const std::wstring& programDirectory)
{
    return programDirectory + L"\\" + kSettingsFileName;
}

TunerSettings ReadTunerSettings(const std::wstring& path)
{
    TunerSettings settings;
    settings.freq = ReadValue(path, L"freq");
    settings.symbol = ReadValue(path, L"symbol");
    settings.lnblow = ReadValue(path, L"lnblow");
    settings.lnbhigh = ReadValue(path, L"lnbhigh");
    settings.lnbswitch = ReadValue(path, L"lnbswitch");
    settings.goldcode = SettingsInteger(ReadValue(path, L"goldcode"));
    settings.goldtype = SettingsInteger(ReadValue(path, L"goldtype"));
    settings.diseqc = SettingsInteger(ReadValue(path, L"diseqc"));
    settings.polarity = SettingsInteger(ReadValue(path, L"polarity"));
    return settings;
}

bool WriteTunerSettings(const std::wstring& path, const TunerSettings& settings)
{
    const std::pair<LPCWSTR, std::wstring> entries[] = {
        {L"polarity", std::to_wstring(settings.polarity)},
        {L"diseqc", std::to_wstring(settings.diseqc)},
        {L"goldcode", std::to_wstring(settings.goldcode)},
        {L"goldtype", std::to_wstring(settings.goldtype)},
        {L"freq", settings.freq},
        {L"symbol", settings.symbol},
        {L"lnblow", settings.lnblow},
        {L"lnbhigh", settings.lnbhigh},
        {L"lnbswitch", settings.lnbswitch},
    };
    bool written = true;
    for (const auto& [key, value] : entries) {
        written = WritePrivateProfileStringW(kSettingsSection, key, value.c_str(), path.c_str()) && written;
    }
    return written;
}
