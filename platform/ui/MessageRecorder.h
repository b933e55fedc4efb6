#pragma once
// For tests of the program's dialogs: while a MessageRecorder exists, message
// boxes are not shown; each is recorded (and still written to the transcript)
// and answered at once, by default with its first button. Boxes from any
// thread are recorded on the UI thread (on Windows, where the system's boxes
// are shown, on the raising thread, one box at a time); create, read and
// destroy the recorder there. One recorder at a time.
#include "platform/ui/WinUser.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct RecordedMessageBox {
    std::wstring caption;
    std::wstring text;
    UINT type = MB_OK; // buttons and icon as the box was raised
};

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // The answer for the boxes that follow (IDOK, IDNO ...); nullopt: each
    // box's first button.
    void Answer(std::optional<int> result) { m_answer = result; }
    // Runs while each box that follows is open, before it is answered, as
    // the time a user looks at it (the caller's handler is then blocked in
    // the box; timers and other events go on if whileOpen processes them).
    void WhileOpen(std::function<void()> whileOpen) { m_whileOpen = std::move(whileOpen); }
    const std::vector<RecordedMessageBox>& Boxes() const { return m_boxes; }
    std::vector<std::wstring> Texts() const;

    // Toolkit internal: the active recorder, or nullptr.
    static MessageRecorder* Active();
    // Records a box and gives its answer; firstButton is the box's first.
    int Record(RecordedMessageBox box, int firstButton);

private:
    std::vector<RecordedMessageBox> m_boxes;
    std::optional<int> m_answer;
    std::function<void()> m_whileOpen;
};
