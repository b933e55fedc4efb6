#pragma once
// Dialog units to pixels, the way Windows maps a dialog template: the base
// units are the dialog font's average character width (over the 52 Latin
// letters, rounded) and its height; x = MulDiv(x, baseX, 4), y = MulDiv(y, baseY, 8).
// Pure functions except DialogFont, which needs a QGuiApplication.
#include "platform/ui/DialogTemplate.h"

#include <QFont>
#include <QRect>

struct DialogBaseUnits {
    int cx = 0; // pixels per 4 horizontal dialog units
    int cy = 0; // pixels per 8 vertical dialog units
};

// number * numerator / denominator, rounded half away from zero, computed in
// 64 bits; -1 when denominator is 0, as Windows answers.
int MulDiv(int number, int numerator, int denominator);

QRect MapDialogRect(const DialogRect& rect, DialogBaseUnits base);
QSize MapDialogSize(int cx, int cy, DialogBaseUnits base);

// The font a template names at the size Windows gives it on a 96 dpi screen
// (8 point = 11 pixels); the Windows shell dialog fonts map to the desktop's
// sans-serif face.
QFont DialogFont(const DialogTemplate& tmpl);
DialogBaseUnits BaseUnitsOf(const QFont& font);
