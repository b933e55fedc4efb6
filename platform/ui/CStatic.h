#pragma once
// A static text or picture control. Any thread (see CWnd.h).
#include "platform/ui/CWnd.h"

class CStatic : public CWnd {
public:
    // Shows an icon (32 x 32) or a bitmap (its own size), resizing the
    // control as Windows does; returns the previous image of that kind.
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;

private:
    HICON m_icon = nullptr;
    HBITMAP m_bitmap = nullptr;
};
