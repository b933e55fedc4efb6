#pragma once
// Control ids of the main window (template 102), shared by the window and
// the signal monitor. No Qt.

// Controls of the main window.
inline constexpr int IDC_APPLY = 1000;
inline constexpr int IDC_QUALITY_BAR = 1004;
inline constexpr int IDC_STRENGTH_BAR = 1007;
inline constexpr int IDC_LOCK_ICON = 1008;
inline constexpr int IDC_BANNER = 1023;
inline constexpr int IDC_LOCK_STATUS = 1032;
inline constexpr int IDC_QUALITY = 1034;
inline constexpr int IDC_STRENGTH = 1035;
inline constexpr int IDC_STREAM_TYPE = 1041;
inline constexpr int IDC_MODULATION = 1042;
inline constexpr int IDC_INPUT_STREAM = 1043;
inline constexpr int IDC_CODING = 1044;
inline constexpr int IDC_INPUT_SYNC = 1045;
inline constexpr int IDC_NULL_PACKETS = 1046;
inline constexpr int IDC_ROLL_OFF = 1047;
inline constexpr int IDC_FEC = 1048;
inline constexpr int IDC_STREAM_ID_LIST = 1049;
inline constexpr int IDC_MATYPE = 1050;
inline constexpr int IDC_IF = 1051;
inline constexpr int IDC_SYMBOL_RATE = 1052;
inline constexpr int IDC_STANDARD = 1053;
inline constexpr int IDC_SPECTRUM = 1054;
inline constexpr int IDC_FRAME_LENGTH = 1055;
inline constexpr int IDC_PILOTS = 1056;
inline constexpr int IDC_SHEET_LINE = 1057;
