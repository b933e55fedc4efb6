#include "tests/graph/MessageCapture.h"

#include "platform/ui/ProgramFile.h"

std::vector<std::wstring> MessageCapture::Texts() const
{
    const std::vector<RecordedMessageBox>& boxes = m_recorder.Boxes();
    std::vector<std::wstring> texts;
    for (std::size_t i = m_seen; i < boxes.size(); ++i) {
        const RecordedMessageBox& box = boxes[i];
        const UINT icon = box.type & MB_ICONMASK;
        if (box.caption == L"error" && icon == 0) {
            texts.push_back(L"error: " + box.text);
        } else if (box.caption == ProgramBaseName() && icon == MB_ICONEXCLAMATION) {
            texts.push_back(L"app: " + box.text);
        } else {
            texts.push_back(box.caption + L" [" + std::to_wstring(icon) + L"]: " + box.text);
        }
    }
    return texts;
}
