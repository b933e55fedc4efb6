#pragma once
// Reading a whole file of outside input into memory, with the checks every such
// reader needs: a named pipe, a device or a folder is refused before anything is read
// (the open does not block, and only a regular file is read), and a file larger than
// the caller's limit is refused instead of filling memory. Any thread.
#include <cstddef>
#include <filesystem>
#include <string>

enum class WholeFileRead {
    Read,       // bytes hold the whole file
    Missing,    // no such file
    NotRegular, // a folder, named pipe, device or socket (also behind a link)
    TooLarge,   // more than maxBytes, also when it grew while read
    Failed,     // no permission, a read error or no memory for it
};

// Reads the local file at path into bytes (emptied first; on failure its contents are
// unspecified). Never throws.
WholeFileRead ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes);

// Why a read failed, in words for a message ("is not a regular file" ...); empty for Read.
const char* WholeFileReadText(WholeFileRead result);
