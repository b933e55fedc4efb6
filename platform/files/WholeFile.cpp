#include "platform/files/WholeFile.h"

#include "platform/files/ReadOnlyFile.h"

#include <new>

namespace {

WholeFileRead ReadAll(ReadOnlyFile& file, std::size_t maxBytes, std::string& bytes)
{
    char chunk[65536];
    for (;;) {
        const std::int64_t got = file.Read(chunk, sizeof chunk);
        if (got == 0) return WholeFileRead::Read;
        if (got < 0) return WholeFileRead::Failed;
        if (static_cast<std::size_t>(got) > maxBytes - bytes.size()) return WholeFileRead::TooLarge;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace

WholeFileRead ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    ReadOnlyFile file;
    switch (file.Open(path)) {
    case ReadOnlyOpen::Opened:
        break;
    case ReadOnlyOpen::Missing:
        return WholeFileRead::Missing;
    case ReadOnlyOpen::NotRegular:
        return WholeFileRead::NotRegular;
    case ReadOnlyOpen::Failed:
        return WholeFileRead::Failed;
    }
    if (file.SizeAtOpen() > maxBytes) {
        return WholeFileRead::TooLarge;
    }
    try {
        bytes.reserve(static_cast<std::size_t>(file.SizeAtOpen()));
        return ReadAll(file, maxBytes, bytes); // the file may grow while it is read
    } catch (const std::bad_alloc&) {
        bytes.clear();
        bytes.shrink_to_fit();
        return WholeFileRead::Failed;
    }
}

const char* WholeFileReadText(WholeFileRead result)
{
    switch (result) {
    case WholeFileRead::Read:
        return "";
    case WholeFileRead::Missing:
        return "does not exist";
    case WholeFileRead::NotRegular:
        return "is not a regular file";
    case WholeFileRead::TooLarge:
        return "is too large";
    case WholeFileRead::Failed:
        break;
    }
    return "cannot be read";
}
