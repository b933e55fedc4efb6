// The resource table on Windows: the system's icon and bitmap handles the
// program drew at start-up, and its strings. Nothing is destroyed before the
// process ends, so a handle a window holds never dangles.
#include "platform/ui/Resources.h"

#include <map>
#include <mutex>

namespace {

struct ResourceTable {
    std::mutex lock;
    std::map<int, HICON> icons;
    std::map<int, HBITMAP> bitmaps;
    std::map<UINT, std::wstring> strings;
};

ResourceTable& Table()
{
    static ResourceTable table;
    return table;
}

template <typename Key, typename Value>
Value Find(const std::map<Key, Value>& entries, Key key)
{
    const auto it = entries.find(key);
    return it == entries.end() ? Value() : it->second;
}

} // namespace

void Resources::AddIcon(int id, HICON icon)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    table.icons[id] = icon;
}

void Resources::AddBitmap(int id, HBITMAP bitmap)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    table.bitmaps[id] = bitmap;
}

void Resources::AddString(UINT id, const std::wstring& text)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    table.strings[id] = text;
}

HICON Resources::Icon(int id)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    return Find(table.icons, id);
}

HBITMAP Resources::Bitmap(int id)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    return Find(table.bitmaps, id);
}

std::wstring Resources::String(UINT id)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    return Find(table.strings, id);
}
