#pragma once
// Template ids of the dialogs tests build around the program's pages.

// A test's host dialog, standing in for the main window: it has the main
// window's template id, so transcripts read as the program's do.
inline constexpr int IDD_TEST_HOST = 102;
