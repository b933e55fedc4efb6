#pragma once
// The program's resources: icons, bitmaps and strings by resource id, as a
// Windows program carries them in its file. The program registers them at
// start-up; templates and code load them by id. Any thread; handles stay
// valid until the application object goes, and re-registering an id keeps
// its handle and replaces the image. On Windows the images are the system's
// icons and bitmaps the program draws.
#include "platform/ui/WinUser.h"

#include <string>

#ifndef _WIN32
#include <QIcon>
#include <QPixmap>
#endif

class Resources {
public:
#ifdef _WIN32
    // The system's images, which the table keeps for the whole run.
    static void AddIcon(int id, HICON icon);
    static void AddBitmap(int id, HBITMAP bitmap);
#else
    static void AddIcon(int id, const QIcon& icon);
    static void AddBitmap(int id, const QPixmap& bitmap);
#endif
    static void AddString(UINT id, const std::wstring& text);

    // nullptr (or empty text) when the id is not registered.
    static HICON Icon(int id);
    static HBITMAP Bitmap(int id);
    static std::wstring String(UINT id);
};
