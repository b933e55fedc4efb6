#include "platform/ui/CEdit.h"

#include "platform/ui/win32/SendToWindow.h"

void CEdit::SetSel(int start, int end) { SendToWindow(*this, EM_SETSEL, static_cast<WPARAM>(start), end); }

BOOL CEdit::SetReadOnly(BOOL readOnly) { return SendToWindow(*this, EM_SETREADONLY, readOnly) ? TRUE : FALSE; }

void CEdit::LimitText(int maxChars)
{
    SendToWindow(*this, EM_LIMITTEXT, static_cast<WPARAM>(maxChars > 0 ? maxChars : 0));
}
