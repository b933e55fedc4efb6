#pragma once
// Private-profile (.ini) read and write. On Windows these are the system's functions;
// on Linux the declarations below stand in for them, with the Windows functions'
// semantics, over the files that the Windows path texts name (WinPath.h). The reading rules are those of
// ProfileText.h. Any thread: calls are serialised, so a write is never lost to a
// concurrent write of this process.
//
// Reading never fails: a missing or unreadable file, section or key gives the default.
// Files over 64 MiB, folders and other non-regular files count as unreadable.
#include "platform/com/WinTypes.h"

#ifndef _WIN32

// Copies the value of key in section into buffer (size characters, NUL included):
//   - missing file, section or key: the default (null means ""), its trailing blanks
//     dropped;
//   - a value longer than size-1 characters is cut to size-1 characters and a NUL, and
//     size-1 is returned; otherwise the number of characters without the NUL;
//   - section null: every section name, key null: every key name of the section (none
//     for a missing section), each followed by a NUL and the list by a second NUL; a
//     list that does not fit is cut inside its last name, which ends in two NULs, and
//     size-2 is returned;
//   - buffer null or size 0: nothing is stored and 0 returned.
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer, DWORD size,
                               LPCWSTR fileName);

// The value as an integer: optional sign, then decimal digits, or 0x / 0o / 0b and
// hexadecimal, octal or binary digits, up to the first other character ("55zz" is 55,
// "abc" is 0); wraps modulo 2^32; a negative value comes back as its 32-bit pattern.
// A missing or empty value gives defaultValue.
UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName);

// Sets key=value in section, keeping every other line of the file as it was:
//   - replaces the first matching entry's line in place (key spelled as in the file);
//   - adds the key after the section's last entry, or the section and the key at the
//     end of the file; creates the file (and its drive folder, see EnsureDriveFolder)
//     when missing; the folder holding the file must exist;
//   - value null deletes the key, key null deletes the whole section; deleting what is
//     not there succeeds without creating the file;
//   - new lines are UTF-8 (UTF-16 in a file with a UTF-16 byte order mark) with the
//     file's own line ends (CR LF in a new file);
//   - the file is replaced whole through a temporary file in the same folder (with the
//     old file's permissions), so a failure leaves the old file untouched.
// FALSE when the file cannot be read or written, when section or fileName is null, or
// when a name or value would break the file's lines (CR or LF anywhere, '=' in a key
// or a key starting with ';' or '[', ']' in a section, an empty name). Section, key and value null together succeed (Windows
// flushes its cache then; there is none).
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName);
#endif // _WIN32
