#pragma once
// The program's resources: icons, bitmaps and strings by resource id, as a
// Windows program carries them in its file. The program registers them at
// start-up; templates and code load them by id. Any thread; handles stay
// valid until the application object goes, and re-registering an id keeps
// its handle and replaces the image.
#include "platform/ui/WinUser.h"

#include <QIcon>
#include <QPixmap>
#include <string>

class Resources {
public:
    static void AddIcon(int id, const QIcon& icon);
    static void AddBitmap(int id, const QPixmap& bitmap);
    static void AddString(UINT id, const std::wstring& text);

    // nullptr (or empty text) when the id is not registered.
    static HICON Icon(int id);
    static HBITMAP Bitmap(int id);
    static std::wstring String(UINT id);
};
