#include "platform/ui/Resources.h"

#include <QCoreApplication>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct ResourceTable {
    std::mutex lock;
    std::map<int, std::unique_ptr<QIcon>> icons;
    std::map<int, std::unique_ptr<QPixmap>> bitmaps;
    std::map<UINT, std::wstring> strings;
    bool cleanupArmed = false;
};

ResourceTable& Table()
{
    static ResourceTable table;
    return table;
}

// Images must not outlive the application object that paints them.
void ReleaseImages()
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    table.icons.clear();
    table.bitmaps.clear();
    table.cleanupArmed = false;
}

void ArmCleanup(ResourceTable& table)
{
    if (!table.cleanupArmed && QCoreApplication::instance()) {
        qAddPostRoutine(ReleaseImages);
        table.cleanupArmed = true;
    }
}

} // namespace

void Resources::AddIcon(int id, const QIcon& icon)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    ArmCleanup(table);
    auto& slot = table.icons[id];
    if (slot) {
        *slot = icon;
    } else {
        slot = std::make_unique<QIcon>(icon);
    }
}

void Resources::AddBitmap(int id, const QPixmap& bitmap)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    ArmCleanup(table);
    auto& slot = table.bitmaps[id];
    if (slot) {
        *slot = bitmap;
    } else {
        slot = std::make_unique<QPixmap>(bitmap);
    }
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
    const auto it = table.icons.find(id);
    return it == table.icons.end() ? nullptr : it->second.get();
}

HBITMAP Resources::Bitmap(int id)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    const auto it = table.bitmaps.find(id);
    return it == table.bitmaps.end() ? nullptr : it->second.get();
}

std::wstring Resources::String(UINT id)
{
    ResourceTable& table = Table();
    std::lock_guard guard(table.lock);
    const auto it = table.strings.find(id);
    return it == table.strings.end() ? std::wstring() : it->second;
}
