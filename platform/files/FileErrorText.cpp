// The Windows texts of file errors: the system's own on Windows, where it has one; the
// texts of the codes the file classes report otherwise (and always on Linux).
#include "platform/files/FileError.h"

#ifdef _WIN32
#include "platform/com/WideText.h"

#include <string>
#endif

namespace {

const char* KnownFileErrorText(HRESULT hr)
{
    struct Text {
        std::uint32_t error;
        const char* text;
    };
    static constexpr Text kTexts[] = {
        {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
        {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
        {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
        {ERROR_ACCESS_DENIED, "Access is denied."},
        {ERROR_INVALID_HANDLE, "The handle is invalid."},
        {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
        {ERROR_INVALID_DRIVE, "The system cannot find the drive specified."},
        {ERROR_WRITE_PROTECT, "The media is write protected."},
        {ERROR_WRITE_FAULT, "The system cannot write to the specified device."},
        {ERROR_SHARING_VIOLATION, "The process cannot access the file because it is being used by another process."},
        {ERROR_DISK_FULL, "There is not enough space on the disk."},
        {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
        {ERROR_FILE_TOO_LARGE, "The file size exceeds the limit allowed and cannot be saved."},
        {ERROR_DIRECTORY_NOT_SUPPORTED, "An operation is not supported on a directory."},
    };
    for (const auto& entry : kTexts) {
        if (HRESULT_FROM_WIN32(entry.error) == hr) return entry.text;
    }
    return "";
}

#ifdef _WIN32
// The system's message in UTF-8, without its line end; "" when it has none.
const char* SystemErrorText(HRESULT hr)
{
    thread_local std::string text;
    wchar_t* message = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, HRESULT_CODE(hr), 0, reinterpret_cast<LPWSTR>(&message), 0, nullptr);
    std::wstring wide = length && message ? std::wstring(message, length) : std::wstring();
    if (message) {
        ::LocalFree(message);
    }
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ')) wide.pop_back();
    text = ToUtf8(wide);
    return text.c_str();
}
#endif

} // namespace

const char* FileErrorText(HRESULT hr)
{
#ifdef _WIN32
    if (HRESULT_FACILITY(hr) == FACILITY_WIN32 && FAILED(hr)) {
        if (const char* system = SystemErrorText(hr); *system) return system;
    }
#endif
    return KnownFileErrorText(hr);
}
