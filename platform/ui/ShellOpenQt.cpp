#include "platform/ui/ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

bool ShellOpen(const std::wstring& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdWString(path)));
}
