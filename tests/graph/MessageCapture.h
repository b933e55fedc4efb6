#pragma once
// Catches the message boxes of one test through the toolkit's transcript, in
// script mode (nothing waits for a person; each box takes OK). Texts() gives
// them in order as "error: TEXT" (caption "error", no icon) or "app: TEXT"
// (the application's title, exclamation icon); any other box comes as its
// whole transcript line.
#include <string>
#include <vector>

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    // The boxes since construction or the last Clear.
    std::vector<std::wstring> Texts();
    void Clear();

private:
    std::vector<std::string> m_lines;
};
