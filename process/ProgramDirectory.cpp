#include "process/ProgramDirectory.h"

#include "platform/files/WinPath.h"

std::wstring programDirectory;

namespace {

// Index where the file name of path starts (after the last separator).
std::size_t FileNameStart(std::wstring_view path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? 0 : separator + 1;
}

// Index of the file name's extension dot, or npos. A name that is only a leading dot
// (".profile") has no extension.
std::size_t ExtensionDot(std::wstring_view path)
{
    const std::size_t start = FileNameStart(path);
    const std::size_t dot = path.find_last_of(L'.');
    return dot == std::wstring_view::npos || dot <= start ? std::wstring_view::npos : dot;
}

} // namespace

std::wstring DefaultHelpFilePath(std::wstring_view programPath)
{
    const std::size_t dot = ExtensionDot(programPath);
    std::wstring path(programPath.substr(0, dot));
    return path + L".chm";
}

std::wstring DirectoryOfPath(std::wstring_view path)
{
    const std::size_t slash = path.find_last_of(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(0, slash));
}

std::wstring ApplicationTitleOf(std::wstring_view programPath)
{
    const std::size_t start = FileNameStart(programPath);
    const std::size_t dot = ExtensionDot(programPath);
    return std::wstring(programPath.substr(start, dot == std::wstring_view::npos ? dot : dot - start));
}

std::wstring ModuleFilePath()
{
    // Linux folders nest deeper than the 260 characters Windows programs assume; a
    // cut path would put the settings and data files in a folder that is not ours.
    std::wstring buffer(260, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}
