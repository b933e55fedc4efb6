#pragma once
// A menu as data: the window's system menu (GetSystemMenu) keeps its items
// here; the window shows it on Alt+Space and sends the chosen item's id as a
// system command. UI thread only. On Windows the system menu's CMenu is
// attached to the window's own menu, which gets what is appended.
#include "platform/ui/WinUser.h"

#include <string>
#include <vector>

class CMenu {
public:
    struct Item {
        UINT flags = MF_STRING;
        UINT_PTR id = 0;
        std::wstring text;
    };

    // MF_STRING with an id and text, or MF_SEPARATOR. FALSE for a string item
    // without text.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCWSTR text = nullptr);
    int GetMenuItemCount() const;
    // The id of the item at position, 0 for a separator, -1 (as UINT) past the end.
    UINT GetMenuItemID(int position) const;
    const std::vector<Item>& Items() const { return m_items; }
#ifdef _WIN32
    // The system's menu that appended items go to as well; nullptr for none.
    void Attach(HMENU menu) { m_menu = menu; }
#endif

private:
    std::vector<Item> m_items;
#ifdef _WIN32
    HMENU m_menu = nullptr;
#endif
};
