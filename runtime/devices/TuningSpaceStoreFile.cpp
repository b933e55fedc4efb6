#include "runtime/devices/TuningSpaceStoreFile.h"

#include "platform/com/WideText.h"
#include "platform/files/FileError.h"
#include "platform/files/WholeFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <system_error>
#include <type_traits>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace runtime {

namespace {

std::string Escape(std::wstring_view text)
{
    std::string out;
    for (const char c : ToUtf8(text)) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20 || u == 0x7F) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", u);
                out += hex;
            } else {
                out += c;
            }
        }
    }
    // Lines are read without their outer blanks; keep a text's own.
    if (!out.empty() && out.back() == ' ') out.replace(out.size() - 1, 1, "\\x20");
    if (!out.empty() && out.front() == ' ') out.replace(0, 1, "\\x20");
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Undoes Escape; a broken escape keeps its characters as they are.
std::wstring Unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[i + 1];
        if (next == '\\') {
            out += '\\';
            ++i;
        } else if (next == 'n') {
            out += '\n';
            ++i;
        } else if (next == 'r') {
            out += '\r';
            ++i;
        } else if (next == 't') {
            out += '\t';
            ++i;
        } else if (next == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
            i += 3;
        } else {
            out += '\\';
        }
    }
    return FromUtf8(out);
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// Numbers may carry blanks around them; texts keep theirs.
std::optional<LONG> ParseLong(std::string_view text)
{
    text = Trim(text);
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < std::numeric_limits<LONG>::min() ||
        value > std::numeric_limits<LONG>::max()) {
        return std::nullopt;
    }
    return static_cast<LONG>(value);
}

// One key of the file: how to write it and how to read it back.
struct Field {
    const char* key;
    std::string (*write)(const TuningSpaceValues&);
    bool (*read)(TuningSpaceValues&, std::string_view); // false: value not usable
};

LocatorValues& Locator(TuningSpaceValues& space)
{
    if (!space.defaultLocator) space.defaultLocator.emplace();
    return *space.defaultLocator;
}

template <auto Member>
Field TextField(const char* key)
{
    return {key, [](const TuningSpaceValues& s) { return Escape(s.*Member); },
            [](TuningSpaceValues& s, std::string_view v) {
                s.*Member = Unescape(v);
                return true;
            }};
}

template <auto Member>
Field GuidField(const char* key)
{
    return {key, [](const TuningSpaceValues& s) { return GuidToString(s.*Member); },
            [](TuningSpaceValues& s, std::string_view v) {
                const auto guid = GuidFromString(Trim(v));
                if (guid) s.*Member = *guid;
                return guid.has_value();
            }};
}

// Numbers and enumerations, written as their 32-bit value.
template <auto Member>
Field NumberField(const char* key)
{
    return {key, [](const TuningSpaceValues& s) { return std::to_string(static_cast<LONG>(s.*Member)); },
            [](TuningSpaceValues& s, std::string_view v) {
                const auto n = ParseLong(v);
                if (n) s.*Member = static_cast<std::remove_reference_t<decltype(s.*Member)>>(*n);
                return n.has_value();
            }};
}

// A key of the default locator; written only when the space has one.
template <auto Member>
Field LocatorField(const char* key)
{
    return {key,
            [](const TuningSpaceValues& s) { return std::to_string(static_cast<LONG>((*s.defaultLocator).*Member)); },
            [](TuningSpaceValues& s, std::string_view v) {
                const auto n = ParseLong(v);
                if (n) Locator(s).*Member = static_cast<std::remove_reference_t<decltype(Locator(s).*Member)>>(*n);
                return n.has_value();
            }};
}

using S = TuningSpaceValues;
using L = LocatorValues;

const Field kSpaceFields[] = {
    NumberField<&S::id>("Id"),
    GuidField<&S::spaceClass>("Class"),
    TextField<&S::uniqueName>("UniqueName"),
    TextField<&S::friendlyName>("FriendlyName"),
    GuidField<&S::networkType>("NetworkType"),
    NumberField<&S::systemType>("SystemType"),
    NumberField<&S::networkId>("NetworkID"),
    TextField<&S::frequencyMapping>("FrequencyMapping"),
    NumberField<&S::lowOscillator>("LowOscillator"),
    NumberField<&S::highOscillator>("HighOscillator"),
    NumberField<&S::lnbSwitch>("LNBSwitch"),
    TextField<&S::inputRange>("InputRange"),
    NumberField<&S::spectralInversion>("SpectralInversion"),
};

const Field kLocatorFields[] = {
    LocatorField<&L::carrierFrequency>("Locator.CarrierFrequency"),
    LocatorField<&L::innerFEC>("Locator.InnerFEC"),
    LocatorField<&L::innerFECRate>("Locator.InnerFECRate"),
    LocatorField<&L::outerFEC>("Locator.OuterFEC"),
    LocatorField<&L::outerFECRate>("Locator.OuterFECRate"),
    LocatorField<&L::modulation>("Locator.Modulation"),
    LocatorField<&L::symbolRate>("Locator.SymbolRate"),
    LocatorField<&L::polarisation>("Locator.SignalPolarisation"),
    LocatorField<&L::westPosition>("Locator.WestPosition"),
    LocatorField<&L::orbitalPosition>("Locator.OrbitalPosition"),
    LocatorField<&L::azimuth>("Locator.Azimuth"),
    LocatorField<&L::elevation>("Locator.Elevation"),
};

constexpr std::string_view kSection = "[TuningSpace]";

// Names the temporary file, so that two processes never write the same one.
unsigned long ProcessId()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(::getpid());
#endif
}

} // namespace

TuningSpaceStoreFile::TuningSpaceStoreFile(std::filesystem::path file) : m_file(std::move(file)) {}

std::string TuningSpaceStoreFile::Format(const std::vector<TuningSpaceValues>& spaces)
{
    std::string out;
    for (const TuningSpaceValues& space : spaces) {
        out += kSection;
        out += '\n';
        for (const Field& field : kSpaceFields) {
            out += field.key;
            out += '=';
            out += field.write(space);
            out += '\n';
        }
        if (space.defaultLocator) {
            for (const Field& field : kLocatorFields) {
                out += field.key;
                out += '=';
                out += field.write(space);
                out += '\n';
            }
        }
        out += '\n';
    }
    return out;
}

std::vector<TuningSpaceValues> TuningSpaceStoreFile::Parse(std::string_view text)
{
    std::vector<TuningSpaceValues> spaces;
    // The space being read, while inSpace (a plain value rather than an optional,
    // which GCC's flow analysis takes for uninitialised when inlined).
    TuningSpaceValues current;
    bool inSpace = false;
    auto finish = [&] {
        // A space without an identifier cannot be addressed; ids must stay unique.
        if (inSpace && current.id > 0) {
            bool taken = false;
            for (const auto& s : spaces) taken = taken || s.id == current.id;
            if (!taken) spaces.push_back(std::move(current));
        }
        current = TuningSpaceValues{};
        inSpace = false;
    };
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line == kSection) {
            finish();
            inSpace = true;
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!inSpace || eq == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, eq));
        const std::string_view value = line.substr(eq + 1);
        for (const std::span<const Field> table :
             {std::span<const Field>(kSpaceFields), std::span<const Field>(kLocatorFields)}) {
            for (const Field& field : table) {
                if (key == field.key) {
                    field.read(current, value);
                }
            }
        }
    }
    finish();
    return spaces;
}

HRESULT TuningSpaceStoreFile::LoadLocked(std::vector<TuningSpaceValues>& spaces) const
{
    spaces.clear();
    std::string bytes;
    switch (ReadWholeFile(m_file, kMaxFileBytes, bytes)) {
    case WholeFileRead::Read:
        break;
    case WholeFileRead::Missing:
        return S_OK;
    case WholeFileRead::NotRegular:
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    case WholeFileRead::TooLarge:
        return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    case WholeFileRead::Failed:
        return E_FAIL;
    }
    try {
        spaces = Parse(bytes);
    } catch (const std::bad_alloc&) {
        spaces.clear();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT TuningSpaceStoreFile::SaveLocked(const std::vector<TuningSpaceValues>& spaces) const
{
    std::error_code ec;
    if (m_file.has_parent_path()) {
        std::filesystem::create_directories(m_file.parent_path(), ec);
    }
    std::filesystem::path temporary = m_file;
    temporary += ".tmp" + std::to_string(ProcessId());
    const std::string text = Format(spaces);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return errno == EACCES || errno == EROFS ? E_ACCESSDENIED : E_FAIL;
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, ec);
            return E_FAIL;
        }
    }
    std::filesystem::rename(temporary, m_file, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return E_FAIL;
    }
    return S_OK;
}

HRESULT TuningSpaceStoreFile::Load(std::vector<TuningSpaceValues>& spaces)
{
    std::lock_guard guard(m_lock);
    return LoadLocked(spaces);
}

HRESULT TuningSpaceStoreFile::Update(const std::function<HRESULT(std::vector<TuningSpaceValues>&)>& change)
{
    std::lock_guard guard(m_lock);
    std::vector<TuningSpaceValues> spaces;
    // A file that is there but cannot be read is not replaced: the spaces in it
    // would be lost.
    if (const HRESULT hr = LoadLocked(spaces); FAILED(hr)) {
        return hr;
    }
    try {
        if (const HRESULT hr = change(spaces); FAILED(hr)) {
            return hr;
        }
        return SaveLocked(spaces);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace runtime
