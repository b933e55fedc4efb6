#include "platform/ui/CStatic.h"

#include "platform/ui/win32/SendToWindow.h"

// The static control sizes itself to the image (no SS_REALSIZECONTROL), as
// Windows has it: an icon at 32 x 32, a bitmap at its own size.

HICON CStatic::SetIcon(HICON icon)
{
    HICON previous = m_icon;
    if (icon && icon == m_icon) return previous; // the icon it shows already
    if (SendToWindow(*this, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon), -1) == -1) return nullptr;
    m_icon = icon;
    m_bitmap = nullptr;
    return previous;
}

HICON CStatic::GetIcon() const { return m_icon; }

HBITMAP CStatic::SetBitmap(HBITMAP bitmap)
{
    HBITMAP previous = m_bitmap;
    if (bitmap && bitmap == m_bitmap) return previous;
    if (SendToWindow(*this, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap), -1) == -1) return nullptr;
    m_bitmap = bitmap;
    m_icon = nullptr;
    return previous;
}

HBITMAP CStatic::GetBitmap() const { return m_bitmap; }
