#include "platform/files/FileSearch.h"

#include "platform/com/WideText.h"
#include "platform/files/NameCase.h"
#include "platform/files/WinPath.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>

namespace {

struct Search {
    DIR* folder = nullptr;
    std::string folderPath;
    std::wstring pattern;
    ~Search()
    {
        if (folder) ::closedir(folder);
    }
};

// Live searches, so that a stale or foreign handle is refused instead of followed.
std::mutex& SearchesLock()
{
    static std::mutex lock;
    return lock;
}

std::set<Search*>& Searches()
{
    static std::set<Search*> searches;
    return searches;
}

bool Matches(std::wstring_view pattern, std::wstring_view name)
{
    // Greedy matching with one backtrack point: the last '*' seen.
    std::size_t p = 0, n = 0;
    std::size_t star = std::wstring_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || FoldNameCase(pattern[p]) == FoldNameCase(name[n]))) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

FILETIME FileTime(const timespec& time)
{
    // Seconds from 1601 to 1970.
    constexpr long long kEpochDifference = 11644473600LL;
    const long long ticks = (static_cast<long long>(time.tv_sec) + kEpochDifference) * 10000000LL + time.tv_nsec / 100;
    const auto bits = static_cast<unsigned long long>(std::max(ticks, 0LL));
    return FILETIME{static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
}

void Describe(const std::string& path, const std::wstring& name, WIN32_FIND_DATAW* found)
{
    *found = WIN32_FIND_DATAW{};
    struct stat info {};
    // A link that leads nowhere is still listed, described as the link itself.
    if (::stat(path.c_str(), &info) != 0 && ::lstat(path.c_str(), &info) != 0) {
        info = {};
    }
    DWORD attributes = 0;
    if (S_ISDIR(info.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((info.st_mode & 0222) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
    found->dwFileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    found->ftCreationTime = FileTime(info.st_ctim);
    found->ftLastAccessTime = FileTime(info.st_atim);
    found->ftLastWriteTime = FileTime(info.st_mtim);
    const auto size = static_cast<unsigned long long>(S_ISDIR(info.st_mode) ? 0 : info.st_size);
    found->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    found->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
    std::copy(name.begin(), name.end(), found->cFileName);
}

bool Advance(Search& search, WIN32_FIND_DATAW* found)
{
    while (const dirent* entry = ::readdir(search.folder)) {
        const std::string bytes = entry->d_name;
        const std::wstring name = FromUtf8(bytes);
        if (name.size() >= MAX_PATH || ToUtf8(name) != bytes || !Matches(search.pattern, name)) {
            continue;
        }
        Describe(search.folderPath + "/" + bytes, name, found);
        return true;
    }
    return false;
}

} // namespace

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* found)
{
    if (!pattern || !found) {
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring_view text = pattern;
    const std::size_t cut = text.find_last_of(L"\\/");
    std::wstring folder;
    std::wstring last;
    if (cut != std::wstring_view::npos) {
        folder = text.substr(0, cut + 1); // "c:\" and "\" stay roots
        last = text.substr(cut + 1);
    } else if (text.size() >= 2 && text[1] == L':') {
        folder = text.substr(0, 2);
        last = text.substr(2);
    } else {
        folder = L".";
        last = text;
    }
    if (last.empty()) {
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_unique<Search>();
    search->folderPath = LocalPath(folder).string();
    search->pattern = (last == L"*.*") ? L"*" : last;
    search->folder = ::opendir(search->folderPath.c_str());
    if (!search->folder || !Advance(*search, found)) {
        return INVALID_HANDLE_VALUE;
    }
    std::lock_guard<std::mutex> hold(SearchesLock());
    Searches().insert(search.get());
    return search.release();
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* found)
{
    auto* search = static_cast<Search*>(handle);
    {
        std::lock_guard<std::mutex> hold(SearchesLock());
        if (!found || Searches().count(search) == 0) return FALSE;
    }
    return Advance(*search, found) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE handle)
{
    auto* search = static_cast<Search*>(handle);
    {
        std::lock_guard<std::mutex> hold(SearchesLock());
        if (Searches().erase(search) == 0) return FALSE;
    }
    delete search;
    return TRUE;
}
