#pragma once
// The message boxes of one test, caught by the toolkit's recorder (nothing is
// shown; each takes OK). Texts() gives them in order as "error: TEXT"
// (caption "error", no icon) or "app: TEXT" (the application's title,
// exclamation icon); a box of any other kind as "CAPTION [ICON]: TEXT".
// Test thread (the UI thread) only.
#include "platform/ui/MessageRecorder.h"

#include <cstddef>
#include <string>
#include <vector>

class MessageCapture {
public:
    // The boxes since construction or the last Clear.
    std::vector<std::wstring> Texts() const;
    void Clear() { m_seen = m_recorder.Boxes().size(); }

private:
    MessageRecorder m_recorder;
    std::size_t m_seen = 0;
};
