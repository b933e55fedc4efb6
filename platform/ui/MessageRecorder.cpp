#include "platform/ui/MessageRecorder.h"

#include <atomic>

namespace {
std::atomic<MessageRecorder*> active{nullptr};
} // namespace

MessageRecorder::MessageRecorder() { active = this; }

MessageRecorder::~MessageRecorder()
{
    MessageRecorder* self = this;
    active.compare_exchange_strong(self, nullptr);
}

MessageRecorder* MessageRecorder::Active() { return active.load(); }

std::vector<std::wstring> MessageRecorder::Texts() const
{
    std::vector<std::wstring> texts;
    for (const auto& box : m_boxes) texts.push_back(box.text);
    return texts;
}

int MessageRecorder::Record(RecordedMessageBox box, int firstButton)
{
    m_boxes.push_back(std::move(box));
    if (m_whileOpen) m_whileOpen();
    return m_answer.value_or(firstButton);
}
