#pragma once
// Buffered reading of a text file opened read-only in text mode, line by line.
//
// Lines end at LF, CR LF or a lone CR; the line end never reaches the caller. Bytes
// come as they are in the file (8-bit text in whatever code page it was written).
// As in Windows text mode, a Ctrl-Z byte (0x1A) ends the file. A line longer than
// kMaxLineBytes is cut there and the rest of it skipped, so garbage without line ends
// cannot exhaust memory. One owner, one thread at a time.
#include "platform/com/WinTypes.h"
#include "platform/files/ReadOnlyFile.h"

#include <cstddef>
#include <memory>
#include <string>

class TextFile {
public:
    static constexpr std::size_t kMaxLineBytes = 1u << 20;

    TextFile() = default;
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Opens a Windows path text (WinPath.h); false when it is missing, unreadable or not
    // a regular file. Closes any file opened before.
    bool Open(LPCWSTR windowsPath);
    bool IsOpen() const { return m_file.IsOpen(); }
    void Close();

    // The next line without its line end; false at the end of the file, after a read
    // error, or when no file is open. The last line counts even without a line end;
    // a file ending in a line end has no empty line after it.
    bool ReadLine(std::string& line);

private:
    bool Fill();

    ReadOnlyFile m_file;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_begin = 0; // first unread byte in m_buffer
    std::size_t m_end = 0;   // one past the last byte read into m_buffer
    bool m_atEnd = false;    // end of file, a read error or Ctrl-Z
    bool m_skipLf = false;   // the last line ended in CR; an LF right after belongs to it
};
