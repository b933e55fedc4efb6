#pragma once
// Decimal integers typed into controls, read the way dialog data exchange and
// GetDlgItemInt read them: blanks around the number are allowed, a sign only
// where the type has one, nothing else; a value the type cannot hold is not
// an integer of that type. Pure.
#include "platform/com/WinTypes.h"

#include <QString>

bool ParseInt32(const QString& text, int& value);
bool ParseUInt32(const QString& text, UINT& value);
