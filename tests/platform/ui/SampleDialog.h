#pragma once
// A small dialog on the toolkit, shaped like the program's pages, for the
// toolkit's tests and its screenshot: every control kind, data exchange with
// range checks, handlers by id, a timer, a Save As, a message box.
#include "platform/ui/CDialog.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CProgressCtrl.h"

#include <functional>
#include <string>
#include <vector>

inline constexpr int kSampleTemplateId = 200;
inline constexpr int kSampleIconId = 128;

// The sample's controls, with the ids of their counterparts on the program's pages.
inline constexpr int IDC_SAMPLE_ICON = 1008;
inline constexpr int IDC_SAMPLE_PATH = 1030;
inline constexpr int IDC_SAMPLE_BROWSE = 1029;
inline constexpr int IDC_SAMPLE_USE_SIZE = 1033;
inline constexpr int IDC_SAMPLE_SIZE = 1032;
inline constexpr int IDC_SAMPLE_USE_TIME = 1034;
inline constexpr int IDC_SAMPLE_TIME = 1031;
inline constexpr int IDC_SAMPLE_NAMES = 1022;
inline constexpr int IDC_SAMPLE_PORT = 1003;
inline constexpr int IDC_SAMPLE_COUNTRY = 1092;
inline constexpr int IDC_SAMPLE_POSITION = 1098;
inline constexpr int IDC_SAMPLE_POSITION_SPIN = 1097;
inline constexpr int IDC_SAMPLE_ALL = 1010;
inline constexpr int IDC_SAMPLE_STATUS = 1035;
inline constexpr int IDC_SAMPLE_PROGRESS = 1004;
inline constexpr int IDC_SAMPLE_LINE = 1057;
inline constexpr int IDC_SAMPLE_START = 1036;
inline constexpr int IDC_SAMPLE_CANCEL = 1037;
inline constexpr int IDC_SAMPLE_SEND = 1011;

DialogTemplate SampleTemplate();
// Registers the sample's icon resource (a drawn dish), once. On Windows icons
// are a program file's resources: the sample has none there.
void RegisterSampleResources();

class SampleDialog : public CDialog {
public:
    SampleDialog();

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    BOOL OnDeviceChange(UINT eventType, DWORD_PTR data) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // What happened, in order: "init", "click 1036", "timer 0", ...
    std::vector<std::string> events;
    // Runs at the end of OnInitDialog, inside the run (tests act from here).
    std::function<void()> afterInit;
    // When set, Enter is consumed by PreTranslateMessage and counted.
    bool swallowEnter = false;
    int enterSwallowed = 0;

    std::wstring m_path = L"c:\\L-capture.ts";
    int m_seconds = 10;
    UINT m_sizeMB = 500;
    CListBox m_names;
    CProgressCtrl m_progress;
};
