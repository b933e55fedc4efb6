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
#include "app/MainWindowControls.h"
#include "app/MonitorClock.h"
#include "app/MonitorPanel.h"
#include "app/SignalMonitor.h"
#include "app/TunerSignalSource.h"
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
#include <memory>
#include <thread>

class CBDAUtilDlg : public CDialog, private MonitorPanel {
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
    // Raises stopRequested and waits for the monitor to end (delivering the
    // calls it carries to this thread meanwhile, so a message box it raised
    // can still be answered) before the pages are destroyed and the Tuner
    // Setting page releases the graph.
    void OnDestroy() override;
    // "Apply": the selected input stream identifier to the driver, then a new tune.
    void OnApply();
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
    // MonitorPanel, called from the monitor thread (and "Apply"); the
    // controls carry each call to the UI thread.
    void SetText(int id, const std::wstring& text) override;
    void ShowLockIcon(bool locked) override;
    void ResetBars() override;
    void SetBars(int quality, int strength) override;
    bool HasStreamId(const std::wstring& text) override;
    void AddStreamId(const std::wstring& text) override;
    void ErrorBox(const std::wstring& text) override;
    void WarningBox(const std::wstring& text) override;
    void PlainBox(const std::wstring& text) override;
    void Log(const std::wstring& text) override;

    // Starts the monitor thread; it holds monitorRunLock while it runs.
    void StartMonitor();
    // Asks the monitor to stop and waits until it has ended. UI thread.
    void StopMonitor();
    // Tunes again with the Tuner Setting page's current values, as its
    // "Lock TP" does, after "Apply" changed the input stream identifier.
    void RetuneWithTunerPage();

    // The sheet between the banner's bottom and the top of line 1057, full width.
    void PlaceSheet();

    HICON m_hLockedIcon = nullptr;
    HICON m_hUnlockedIcon = nullptr;
    TunerSignalSource m_signalSource;
    StoppableClock m_monitorClock;
    SignalMonitor m_monitor{m_signalSource, *this, m_monitorClock, stopRequested};
    std::thread m_monitorThread;
    std::atomic<bool> m_monitorEnded{false};
};
