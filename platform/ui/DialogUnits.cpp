#include "platform/ui/DialogUnits.h"

#include <QFontMetrics>
#include <cstdint>
#include <cstdlib>

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = std::llabs(denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QRect MapDialogRect(const DialogRect& rect, DialogBaseUnits base)
{
    // Windows maps the corners, so a control's right edge lands where the next
    // control's left edge would, whatever the rounding of the width.
    const int left = MulDiv(rect.x, base.cx, 4);
    const int top = MulDiv(rect.y, base.cy, 8);
    const int right = MulDiv(rect.x + rect.cx, base.cx, 4);
    const int bottom = MulDiv(rect.y + rect.cy, base.cy, 8);
    return QRect(left, top, right - left, bottom - top);
}

QSize MapDialogSize(int cx, int cy, DialogBaseUnits base)
{
    return QSize(MulDiv(cx, base.cx, 4), MulDiv(cy, base.cy, 8));
}

QFont DialogFont(const DialogTemplate& tmpl)
{
    QFont font;
    const QString family = QString::fromStdWString(tmpl.fontName);
    const bool shellFont = family.compare(u"MS Shell Dlg", Qt::CaseInsensitive) == 0 ||
        family.compare(u"MS Shell Dlg 2", Qt::CaseInsensitive) == 0 ||
        family.compare(u"MS Sans Serif", Qt::CaseInsensitive) == 0;
    if (!shellFont && !family.isEmpty()) {
        font.setFamily(family);
    }
    font.setStyleHint(QFont::SansSerif);
    const int points = tmpl.fontPointSize > 0 ? tmpl.fontPointSize : 8;
    font.setPixelSize(MulDiv(points, 96, 72));
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogBaseUnits base;
    base.cx = (width / 26 + 1) / 2;
    base.cy = metrics.height();
    if (base.cx <= 0) base.cx = 1; // a font without metrics still lays out
    if (base.cy <= 0) base.cy = 1;
    return base;
}
