#pragma once
// Decimal integers typed into controls, read the way dialog data exchange and
// GetDlgItemInt read them: blanks around the number are allowed (any Unicode
// space), a sign only where the type has one, nothing else; a value the type
// cannot hold is not an integer of that type. Pure.
#include "platform/com/WinTypes.h"

#include <string_view>

bool ParseInt32(std::wstring_view text, int& value);
bool ParseUInt32(std::wstring_view text, UINT& value);

// GetDlgItemInt's answer for a control's text: the number (signed or not, as
// a UINT), 0 when the text is none; *translated says which.
UINT DlgItemIntOf(std::wstring_view text, BOOL* translated, BOOL isSigned);
