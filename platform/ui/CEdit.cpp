#include "platform/ui/CEdit.h"

#include <QLineEdit>
#include <algorithm>

void CEdit::SetSel(int start, int end)
{
    WithWidget([&](QWidget* widget) {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (!edit) return;
        const int length = static_cast<int>(edit->text().size());
        const int from = std::clamp(start, 0, length);
        const int to = end < 0 ? length : std::clamp(end, from, length);
        edit->setSelection(from, to - from);
    });
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    BOOL done = FALSE;
    WithWidget([&](QWidget* widget) {
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setReadOnly(readOnly != FALSE);
            done = TRUE;
        }
    });
    return done;
}

void CEdit::LimitText(int maxChars)
{
    WithWidget([&](QWidget* widget) {
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setMaxLength(maxChars > 0 ? maxChars : 32767);
        }
    });
}
