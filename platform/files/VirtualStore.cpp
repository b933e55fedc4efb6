#include "platform/files/VirtualStore.h"

#include "platform/files/UserDataFolder.h"

#include <system_error>
#include <unistd.h>

namespace {

std::filesystem::path StorePathOf(const std::filesystem::path& path)
{
    const std::filesystem::path folder = UserDataFolder();
    if (folder.empty()) return {};
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
    if (error) return {};
    return folder / "VirtualStore" / absolute.relative_path();
}

bool FolderIsWritable(const std::filesystem::path& path)
{
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    // access() answers for the real user and also sees a read-only mount, which
    // root's permission checks would pass.
    return ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

std::filesystem::path VirtualStoreReadPath(const std::filesystem::path& path)
{
    const std::filesystem::path stored = StorePathOf(path);
    std::error_code error;
    if (!stored.empty() && std::filesystem::is_regular_file(stored, error)) return stored;
    return path;
}

std::filesystem::path VirtualStoreWritePath(const std::filesystem::path& path)
{
    std::error_code error;
    // A missing folder is not redirected: the write reports it as before.
    if (!std::filesystem::is_directory(path.parent_path().empty() ? "." : path.parent_path(), error)) return path;
    const std::filesystem::path stored = StorePathOf(path);
    if (stored.empty()) return path;
    if (std::filesystem::is_regular_file(stored, error)) return stored;
    if (FolderIsWritable(path)) return path;
    std::filesystem::create_directories(stored.parent_path(), error);
    if (std::filesystem::is_regular_file(path, error)) {
        std::filesystem::copy_file(path, stored, std::filesystem::copy_options::skip_existing, error);
    }
    return stored;
}
