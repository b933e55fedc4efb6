#include "platform/com/DebugOut.h"

#include "platform/com/Journal.h"
#include "platform/com/WideText.h"

void OutputDebugStringW(LPCWSTR text)
{
    if (JournalEnabled()) {
        JournalWrite("debug " + JournalQuote(ToUtf8(text ? text : L"")));
    }
}

void OutputDebugStringA(LPCSTR text)
{
    if (JournalEnabled()) {
        JournalWrite("debug " + JournalQuote(text ? text : ""));
    }
}
