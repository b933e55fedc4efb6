#include "tests/graph/MessageCapture.h"

#include "graph/GraphMessageBox.h"

MessageCapture::MessageCapture()
{
    SetGraphMessageReceiver([this](HWND, const std::wstring& text, bool applicationTitled) {
        std::lock_guard lock(m_lock);
        m_texts.push_back((applicationTitled ? L"app: " : L"error: ") + text);
    });
}

MessageCapture::~MessageCapture() { SetGraphMessageReceiver(nullptr); }

std::vector<std::wstring> MessageCapture::Texts() const
{
    std::lock_guard lock(m_lock);
    return m_texts;
}

void MessageCapture::Clear()
{
    std::lock_guard lock(m_lock);
    m_texts.clear();
}
