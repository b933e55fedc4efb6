#include "dvb/DvbLibraryLog.h"

#include "platform/com/Journal.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <syslog.h>

namespace dvb {

void LibraryLog(int level, const char* format, ...)
{
    if (level > LOG_WARNING) return;
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    JournalWrite("dvb library " + JournalQuote(line));
}

} // namespace dvb
