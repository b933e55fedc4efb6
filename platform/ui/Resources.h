#pragma once
// The program's resources: icons, bitmaps and strings by resource id, as a
// Windows program carries them in its file. The program registers them at
// start-up; templates and code load them by id. Any thread; handles stay
// valid for the rest of the run.
//
// Linux: the images are Qt's, the handles point into the table; re-registering
// an id keeps its handle and replaces the image, and the images go with the
// application object. Windows: the images are the system's icons and bitmaps,
// handed over to the table, which keeps them for the run; re-registering an id
// gives it the new handle (a window showing the old one keeps it).
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
