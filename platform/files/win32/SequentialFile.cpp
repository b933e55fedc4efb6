// The recorder's output file on Windows: CreateFileW with CREATE_ALWAYS and no
// sharing, written with WriteFile straight from the caller's buffer.
#include "platform/files/SequentialFile.h"

#include "platform/files/FileError.h"
#include "platform/files/WinPath.h"

#include <windows.h>

namespace {

HANDLE AsHandle(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

HRESULT LastError()
{
    const DWORD error = ::GetLastError();
    return error == ERROR_SUCCESS ? HRESULT_FROM_WIN32(ERROR_WRITE_FAULT) : HRESULT_FROM_WIN32(error);
}

bool EndsWithSeparator(std::wstring_view path)
{
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

} // namespace

SequentialFile::~SequentialFile() { Close(); }

HRESULT SequentialFile::Create(LPCWSTR windowsPath)
{
    Close();
    if (!windowsPath) {
        return E_POINTER;
    }
    const std::wstring_view text = windowsPath;
    if (text.empty()) {
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    }
    const auto path = LocalPath(text);
    if (EndsWithSeparator(text)) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return folder ? HRESULT_FROM_WIN32(ERROR_DIRECTORY_NOT_SUPPORTED) : HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    }
    // A read-only file is not replaced. Windows refuses it itself; checking first keeps
    // that also where the file system would let an administrator through (Wine run by
    // root).
    if (const DWORD attributes = ::GetFileAttributesW(path.c_str());
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    }
    // No sharing: another opener makes this fail with a sharing violation, and while
    // the file is open nobody else can open it. The file is emptied only once it is ours.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    // A device name (CON, NUL, a pipe) opens too; only a file on a disk is recorded to.
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    }
    m_length.store(0, std::memory_order_release);
    m_file.store(reinterpret_cast<std::intptr_t>(file), std::memory_order_release);
    return S_OK;
}

HRESULT SequentialFile::Write(const void* data, DWORD bytes, DWORD* written)
{
    if (written) {
        *written = 0;
    }
    const std::intptr_t file = m_file.load(std::memory_order_acquire);
    if (file == kNoFile) {
        return E_HANDLE;
    }
    if (!data && bytes > 0) {
        return E_POINTER;
    }
    const auto* next = static_cast<const char*>(data);
    DWORD done = 0;
    HRESULT hr = S_OK;
    while (done < bytes) {
        DWORD put = 0;
        if (!::WriteFile(AsHandle(file), next + done, bytes - done, &put, nullptr)) {
            hr = LastError();
            done += put;
            m_length.fetch_add(put, std::memory_order_acq_rel);
            break;
        }
        if (put == 0) {
            hr = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
            break;
        }
        done += put;
        m_length.fetch_add(put, std::memory_order_acq_rel);
    }
    if (written) {
        *written = done;
    }
    return hr;
}

HRESULT SequentialFile::Truncate(LONGLONG length)
{
    const std::intptr_t file = m_file.load(std::memory_order_acquire);
    if (file == kNoFile) {
        return E_HANDLE;
    }
    if (length < 0 || length > m_length.load(std::memory_order_acquire)) {
        return E_INVALIDARG;
    }
    LARGE_INTEGER position{};
    position.QuadPart = length;
    if (!::SetFilePointerEx(AsHandle(file), position, nullptr, FILE_BEGIN) || !::SetEndOfFile(AsHandle(file))) {
        return LastError();
    }
    m_length.store(length, std::memory_order_release);
    return S_OK;
}

HRESULT SequentialFile::Close()
{
    const std::intptr_t file = m_file.exchange(kNoFile, std::memory_order_acq_rel);
    if (file == kNoFile) {
        return S_OK;
    }
    return ::CloseHandle(AsHandle(file)) ? S_OK : LastError();
}
