#include "process/DiagLog.h"

#include "platform/com/Tick.h"
#include "platform/files/AppendText.h"

#include <cstdint>
#include <cwchar>
#include <ctime>
#include <string_view>
#include <vector>

namespace {

bool IsFlag(wchar_t c) { return c == L'-' || c == L'+' || c == L' ' || c == L'#' || c == L'0'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

enum class Size { None, Short, Char, Long, LongLong, Wide, Pointer, Int32, Int64, Max, SizeT, Diff, LongDouble };

// Reads a Windows length modifier at format[i], advancing i.
Size ReadSize(std::wstring_view format, std::size_t& i)
{
    const auto at = [&](std::size_t k) { return i + k < format.size() ? format[i + k] : L'\0'; };
    if (at(0) == L'h') return at(1) == L'h' ? (i += 2, Size::Char) : (i += 1, Size::Short);
    if (at(0) == L'l') return at(1) == L'l' ? (i += 2, Size::LongLong) : (i += 1, Size::Long);
    if (at(0) == L'w') return i += 1, Size::Wide;
    if (at(0) == L'L') return i += 1, Size::LongDouble;
    if (at(0) == L'j') return i += 1, Size::Max;
    if (at(0) == L'z') return i += 1, Size::SizeT;
    if (at(0) == L't') return i += 1, Size::Diff;
    if (at(0) == L'I') {
        if (at(1) == L'6' && at(2) == L'4') return i += 3, Size::Int64;
        if (at(1) == L'3' && at(2) == L'2') return i += 3, Size::Int32;
        return i += 1, Size::Pointer;
    }
    return Size::None;
}

// The modifier and conversion glibc needs for a Windows conversion, or "" when the
// combination has no meaning (then the placeholder is printed as text).
std::wstring Conversion(Size size, wchar_t conversion)
{
    const bool narrowRequest = size == Size::Short || size == Size::Char;
    const bool wideRequest = size == Size::Long || size == Size::Wide;
    switch (conversion) {
    case L's':
        return narrowRequest ? L"s" : L"ls";
    case L'S':
        return wideRequest ? L"ls" : L"s";
    case L'c':
        return narrowRequest ? L"c" : L"lc";
    case L'C':
        return wideRequest ? L"lc" : L"c";
    case L'd':
    case L'i':
    case L'o':
    case L'u':
    case L'x':
    case L'X': {
        std::wstring out;
        switch (size) {
        case Size::None:
        case Size::Long: // 32 bits on Windows
        case Size::Int32:
            break;
        case Size::Short:
            out = L"h";
            break;
        case Size::Char:
            out = L"hh";
            break;
        case Size::LongLong:
        case Size::Int64:
            out = L"ll";
            break;
        case Size::Max:
            out = L"j";
            break;
        case Size::SizeT:
        case Size::Pointer:
            out = L"z";
            break;
        case Size::Diff:
            out = L"t";
            break;
        case Size::Wide:
        case Size::LongDouble:
            return L"";
        }
        return out + conversion;
    }
    case L'e':
    case L'E':
    case L'f':
    case L'F':
    case L'g':
    case L'G':
    case L'a':
    case L'A':
        // long double is double on Windows: the argument is a double either way.
        return std::wstring(1, conversion);
    case L'p':
        return L"p";
    default:
        return L"";
    }
}

std::wstring Escaped(std::wstring_view text)
{
    std::wstring out;
    for (wchar_t c : text) {
        out += c;
        if (c == L'%') out += L'%';
    }
    return out;
}

std::wstring TwoDigits(int value)
{
    return std::wstring{static_cast<wchar_t>(L'0' + value / 10 % 10), static_cast<wchar_t>(L'0' + value % 10)};
}

// vswprintf into a growing buffer; nothing when the text cannot be formatted at all.
bool FormatWide(const std::wstring& format, va_list args, std::wstring& out)
{
    for (std::size_t size = 512; size <= (1u << 20); size *= 8) {
        std::vector<wchar_t> buffer(size);
        va_list copy;
        va_copy(copy, args);
        const int length = std::vswprintf(buffer.data(), buffer.size(), format.c_str(), copy);
        va_end(copy);
        if (length >= 0) {
            out.assign(buffer.data(), static_cast<std::size_t>(length));
            return true;
        }
    }
    return false;
}

std::string StoredBytes(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size() + 8);
    for (wchar_t c : text) {
        if (c == L'\n') {
            bytes += "\r\n";
        } else if (static_cast<std::uint32_t>(c) <= 0xFF) {
            bytes += static_cast<char>(static_cast<unsigned char>(c));
        } else {
            bytes += '?';
        }
    }
    return bytes;
}

} // namespace

std::wstring TranslateWindowsFormat(std::wstring_view format)
{
    std::wstring out;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != L'%') {
            out += format[i++];
            continue;
        }
        const std::size_t start = i++;
        if (i < format.size() && format[i] == L'%') {
            out += L"%%";
            ++i;
            continue;
        }
        while (i < format.size() && IsFlag(format[i])) ++i;
        if (i < format.size() && format[i] == L'*') {
            ++i;
        } else {
            while (i < format.size() && IsDigit(format[i])) ++i;
        }
        if (i < format.size() && format[i] == L'.') {
            ++i;
            if (i < format.size() && format[i] == L'*') {
                ++i;
            } else {
                while (i < format.size() && IsDigit(format[i])) ++i;
            }
        }
        const std::size_t sizeStart = i;
        const Size size = ReadSize(format, i);
        const std::wstring conversion = i < format.size() ? Conversion(size, format[i]) : L"";
        if (conversion.empty()) {
            // Not a conversion we can pass on safely: the text as it stands, then go on
            // after the '%' so that what follows is read again.
            out += L"%%";
            i = start + 1;
            continue;
        }
        out.append(format.substr(start, sizeStart - start));
        out += conversion;
        ++i;
    }
    return out;
}

LogStamp CurrentLogStamp()
{
    LogStamp stamp;
    stamp.tick = GetTickCount();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    stamp.time = TwoDigits(local.tm_hour) + L":" + TwoDigits(local.tm_min) + L":" + TwoDigits(local.tm_sec);
    stamp.date = TwoDigits(local.tm_mon + 1) + L"/" + TwoDigits(local.tm_mday) + L"/" + TwoDigits(local.tm_year % 100);
    return stamp;
}

std::string FormatLogLineV(const LogStamp& stamp, const wchar_t* format, va_list args)
{
    const std::wstring_view callerFormat = format ? format : L"";
    // Stage 1: the header, with the caller's format copied in as text.
    wchar_t tick[16];
    std::swprintf(tick, 16, L"%8.0d", static_cast<int>(stamp.tick));
    const std::wstring header = L"[" + Escaped(stamp.date) + L" " + Escaped(stamp.time) + L" : " + tick + L"] " +
        std::wstring(callerFormat) + L"\n";
    // Stage 2: the header is the format for the caller's arguments.
    std::wstring text;
    if (!FormatWide(TranslateWindowsFormat(header), args, text)) {
        // An argument that cannot be printed (a narrow text that is no valid multibyte
        // text here): keep the line, with its placeholders unfilled.
        text = header;
    }
    if (text.size() > kMaxLogChars) {
        text.resize(kMaxLogChars - 1);
        text += L'\n';
    }
    return StoredBytes(text);
}

std::string FormatLogLine(const LogStamp& stamp, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string line = FormatLogLineV(stamp, format, args);
    va_end(args);
    return line;
}

void LogLine(const wchar_t* format, ...)
{
    if (!format) {
        return;
    }
    const LogStamp stamp = CurrentLogStamp();
    AppendText file;
    if (!file.Open(kLogFile)) {
        return;
    }
    va_list args;
    va_start(args, format);
    const std::string line = FormatLogLineV(stamp, format, args);
    va_end(args);
    file.Write(line);
}
