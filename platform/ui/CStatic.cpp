#include "platform/ui/CStatic.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>

HICON CStatic::SetIcon(HICON icon)
{
    HICON previous = nullptr;
    WithWidget([&](QWidget* widget) {
        auto* label = qobject_cast<QLabel*>(widget);
        if (!label) return;
        previous = m_icon;
        // The icon it shows already: nothing to repaint.
        if (icon && icon == m_icon && !label->pixmap().isNull()) return;
        m_icon = icon;
        m_bitmap = nullptr;
        const QPixmap image = icon ? icon->pixmap(32, 32) : QPixmap();
        label->setPixmap(image);
        if (!image.isNull()) label->resize(32, 32);
    });
    return previous;
}

HICON CStatic::GetIcon() const
{
    HICON icon = nullptr;
    WithWidget([&](QWidget*) { icon = m_icon; });
    return icon;
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap)
{
    HBITMAP previous = nullptr;
    WithWidget([&](QWidget* widget) {
        auto* label = qobject_cast<QLabel*>(widget);
        if (!label) return;
        previous = m_bitmap;
        if (bitmap && bitmap == m_bitmap && !label->pixmap().isNull()) return;
        m_bitmap = bitmap;
        m_icon = nullptr;
        label->setPixmap(bitmap ? *bitmap : QPixmap());
        if (bitmap && !bitmap->isNull()) label->resize(bitmap->deviceIndependentSize().toSize());
    });
    return previous;
}

HBITMAP CStatic::GetBitmap() const
{
    HBITMAP bitmap = nullptr;
    WithWidget([&](QWidget*) { bitmap = m_bitmap; });
    return bitmap;
}
