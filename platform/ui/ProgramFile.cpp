#include "platform/ui/ProgramFile.h"

std::wstring ProgramBaseName()
{
    std::wstring path = ProgramFilePath();
    const auto slash = path.find_last_of(L"/\\");
    if (slash != std::wstring::npos) {
        path.erase(0, slash + 1);
    }
    const auto dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        path.erase(dot);
    }
    return path;
}
