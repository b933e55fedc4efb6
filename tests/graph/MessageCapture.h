#pragma once
// Catches the graph code's message boxes for one test: each as
// "error: TEXT" (caption "error", no icon) or "app: TEXT" (the application's
// title, exclamation icon), in order.
#include <mutex>
#include <string>
#include <vector>

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    std::vector<std::wstring> Texts() const;
    void Clear();

private:
    mutable std::mutex m_lock;
    std::vector<std::wstring> m_texts;
};
