#pragma once
// Resource and command ids of the program's own windows and images.

inline constexpr int IDD_ABOUTBOX = 100;       // About box template
inline constexpr unsigned IDS_ABOUTBOX = 101;  // "&About Kavro TS Recorder Tool."
inline constexpr int IDD_BDAUTIL_DIALOG = 102; // main window template
inline constexpr int IDR_MAINFRAME = 128;      // application icon
inline constexpr int IDI_LOCKED = 133;         // signal locked
inline constexpr int IDI_UNLOCKED = 134;       // signal not locked
inline constexpr int IDB_BANNER = 136;         // banner bitmap across the main window's top
inline constexpr int IDD_DEVICELIST = 140;     // device selection template

// The About item of the system menu. Windows keeps the low four bits of a
// system command for itself, so ids 16 to 31 all mean this item.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;
