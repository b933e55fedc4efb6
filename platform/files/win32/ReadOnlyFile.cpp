// Reading a regular file on Windows: shared with every other opener, and only a disk
// file is read (a folder, pipe or device is refused).
#include "platform/files/ReadOnlyFile.h"

#include <windows.h>

#include <algorithm>

ReadOnlyOpen ReadOnlyFile::Open(const std::filesystem::path& path)
{
    Close();
    // FILE_FLAG_BACKUP_SEMANTICS lets a folder open too, so it is told apart from a
    // missing file and refused as not regular below.
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
                error == ERROR_INVALID_DRIVE
            ? ReadOnlyOpen::Missing
            : ReadOnlyOpen::Failed;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    ReadOnlyOpen refused = ReadOnlyOpen::Opened;
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        refused = ReadOnlyOpen::NotRegular;
    } else if (!::GetFileInformationByHandle(file, &info)) {
        refused = ReadOnlyOpen::Failed;
    } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        refused = ReadOnlyOpen::NotRegular;
    }
    if (refused != ReadOnlyOpen::Opened) {
        ::CloseHandle(file);
        return refused;
    }
    m_file = reinterpret_cast<std::intptr_t>(file);
    m_size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    return ReadOnlyOpen::Opened;
}

void ReadOnlyFile::Close()
{
    if (m_file != kNoFile) {
        ::CloseHandle(reinterpret_cast<HANDLE>(m_file));
    }
    m_file = kNoFile;
    m_size = 0;
}

std::int64_t ReadOnlyFile::Read(void* buffer, std::size_t bytes)
{
    if (m_file == kNoFile) {
        return -1;
    }
    DWORD got = 0;
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(bytes, 1u << 30));
    if (!::ReadFile(reinterpret_cast<HANDLE>(m_file), buffer, asked, &got, nullptr)) {
        return -1;
    }
    return got;
}
