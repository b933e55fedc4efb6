#pragma once
// The main window (template 102): the banner, the three-page sheet (Tuner
// Setting, Capture Control, Motor/Positioner), the signal panel (strength,
// quality, lock status and icon), the IF and symbol-rate texts, the MATYPE
// group and the input stream list with "Apply". Run modally by CBDAUtilApp; the
// program ends when it closes (Escape, the close box, a device-removal notice).
//
// Its title is "<deviceName> TS Recorder - Version: <product version>". The
// system menu carries "About"; F1 opens the help file in programDirectory.
// A minimised window shows the application icon through the window system, so
// there is no painting of our own for it.
//
// Threads: the window lives on the UI thread. The signal panel's control
// members below are for the monitor thread as well, which changes them through
// the toolkit (any thread may); stopRequested tells it to end.
#include "positioner/CPositionDlg.h"
#include "record/CUtiVirtualDamonDlg.h"
#include "tuner/CBdacontrolDlg.h"

#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/CStatic.h"

#include <atomic>

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

class CBDAUtilDlg : public CDialog {
public:
    explicit CBDAUtilDlg(CWnd* owner = nullptr);
    ~CBDAUtilDlg() override;

    // System menu item, icons, title, the panel's first texts, then the sheet
    // (whose first page initialises now) placed between banner and line 1057,
    // then monitorRunLock.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Ids 16 to 31 open the About box; the rest is the toolkit's.
    void OnSysCommand(UINT id, LPARAM lParam) override;
    // Opens programDirectory\L-box-recorder.chm with the shell; always handled.
    BOOL OnHelpInfo(HELPINFO* info) override;
    // Device removal pending or complete (of any device) closes the window as OK
    // does and answers FALSE (0); every other event is the toolkit's.
    BOOL OnDeviceChange(UINT eventType, DWORD_PTR data) override;
    // Raises stopRequested before the pages are destroyed.
    void OnDestroy() override;
    // A press on a free point drags the window as its caption would.
    void OnLButtonDown(UINT flags, POINT point) override;

    static DialogTemplate Template();

    // The pages, in tab order, and their sheet; they live as long as this object.
    CBdacontrolDlg m_tunerPage;
    CUtiVirtualDamonDlg m_capturePage;
    CPositionDlg m_positionerPage;
    CPropertySheet m_sheet;

    // The signal panel.
    CStatic m_banner;
    CStatic m_lockIcon;
    CProgressCtrl m_strengthBar;
    CProgressCtrl m_qualityBar;
    CEdit m_qualityText;
    CEdit m_strengthText;
    CEdit m_lockText;
    CComboBox m_streamIdList;

    HICON m_hIcon = nullptr;
    // 0 while the window lives, 1 from its destroy on: the monitor's signal to end.
    std::atomic<LONG> stopRequested{0};
    // Held by the monitor thread for its whole life; created at initialisation,
    // closed with this object.
    HANDLE monitorRunLock = nullptr;

private:
    // The sheet between the banner's bottom and the top of line 1057, full width.
    void PlaceSheet();
};
