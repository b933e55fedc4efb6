#include "platform/files/TextFile.h"

#include "platform/files/WinPath.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kBufferBytes = 64u << 10;
constexpr char kCtrlZ = '\x1A';
} // namespace

TextFile::~TextFile() { Close(); }

bool TextFile::Open(LPCWSTR windowsPath)
{
    Close();
    if (!windowsPath) {
        return false;
    }
    if (m_file.Open(LocalPath(windowsPath)) != ReadOnlyOpen::Opened) {
        return false;
    }
    m_buffer = std::make_unique<char[]>(kBufferBytes);
    return true;
}

void TextFile::Close()
{
    m_file.Close();
    m_buffer.reset();
    m_begin = m_end = 0;
    m_atEnd = false;
    m_skipLf = false;
}

bool TextFile::Fill()
{
    if (m_atEnd) {
        return false;
    }
    const std::int64_t got = m_file.Read(m_buffer.get(), kBufferBytes);
    if (got <= 0) {
        m_atEnd = true;
        return false;
    }
    m_begin = 0;
    m_end = static_cast<std::size_t>(got);
    // Text mode stops at Ctrl-Z: whatever follows is not part of the text.
    if (const void* stop = std::memchr(m_buffer.get(), kCtrlZ, m_end)) {
        m_end = static_cast<std::size_t>(static_cast<const char*>(stop) - m_buffer.get());
        m_atEnd = true;
    }
    return true;
}

bool TextFile::ReadLine(std::string& line)
{
    line.clear();
    if (!m_file.IsOpen()) {
        return false;
    }
    bool any = false;
    for (;;) {
        if (m_begin == m_end && !Fill()) {
            return any;
        }
        if (m_begin == m_end) {
            continue; // a buffer that held only Ctrl-Z: Fill reports the end next time
        }
        if (m_skipLf) {
            m_skipLf = false;
            if (m_buffer[m_begin] == '\n') {
                ++m_begin;
                continue;
            }
        }
        any = true;
        const char* start = m_buffer.get() + m_begin;
        const std::size_t available = m_end - m_begin;
        std::size_t length = 0;
        while (length < available && start[length] != '\n' && start[length] != '\r') ++length;
        if (line.size() < kMaxLineBytes) {
            line.append(start, std::min(length, kMaxLineBytes - line.size()));
        }
        m_begin += length;
        if (length < available) {
            m_skipLf = start[length] == '\r';
            ++m_begin;
            return true;
        }
    }
}
