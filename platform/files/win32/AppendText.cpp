// Appending to a text file on Windows: opened with append access only, so every
// WriteFile lands at the end of the file, also when another opener appends too.
#include "platform/files/AppendText.h"

#include "platform/files/WinPath.h"

#include <windows.h>

AppendText::~AppendText() { Close(); }

bool AppendText::Open(LPCWSTR windowsPath)
{
    Close();
    if (!windowsPath || *windowsPath == L'\0') {
        return false;
    }
    const HANDLE file = ::CreateFileW(LocalPath(windowsPath).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return false;
    }
    m_file = reinterpret_cast<std::intptr_t>(file);
    return true;
}

bool AppendText::Write(std::string_view bytes)
{
    if (m_file == kNoFile) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(reinterpret_cast<HANDLE>(m_file), bytes.data() + done, asked, &put, nullptr) || put == 0) {
            return false;
        }
        done += put;
    }
    return true;
}

void AppendText::Close()
{
    if (m_file != kNoFile) {
        ::CloseHandle(reinterpret_cast<HANDLE>(m_file));
    }
    m_file = kNoFile;
}
