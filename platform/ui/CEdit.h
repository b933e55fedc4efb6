#pragma once
// A one-line edit field. Any thread (see CWnd.h).
#include "platform/ui/CWnd.h"

class CEdit : public CWnd {
public:
    // Selects characters start..end-1; end -1 selects to the end.
    void SetSel(int start, int end);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    // Longest text the user may type; 0 lifts the limit.
    void LimitText(int maxChars);
};
