#include "platform/ui/CMenu.h"

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCWSTR text)
{
    Item item;
    item.flags = flags;
    if (!(flags & MF_SEPARATOR) && !text) {
        return FALSE;
    }
#ifdef _WIN32
    if (m_menu) AppendMenuW(m_menu, flags, id, text);
#endif
    if (flags & MF_SEPARATOR) {
        m_items.push_back(item);
        return TRUE;
    }
    item.id = id;
    item.text = text;
    m_items.push_back(item);
    return TRUE;
}

int CMenu::GetMenuItemCount() const { return static_cast<int>(m_items.size()); }

UINT CMenu::GetMenuItemID(int position) const
{
    if (position < 0 || position >= GetMenuItemCount()) {
        return static_cast<UINT>(-1);
    }
    return static_cast<UINT>(m_items[static_cast<size_t>(position)].id);
}
