#pragma once
// The Tuner Setting page (template 130), the first page of the main window's
// sheet: transponder and LNB parameters, polarity, DiSEqC port, the DVB-S2
// physical-layer controls (Dvbs2Options) and "Lock TP".
//
// Its window's creation builds the tuner's media graph (TunerGraph) and obtains
// the driver's property-set interface; its destruction saves the settings,
// returns the scrambling to the default sequence and releases the graph. The
// tuning parameters persist in programDirectory\Kavro-TScap.ini, section
// "Config" (TunerSettings.h).
//
// Threads: the UI thread. LockTransponder is also the main window's (after an
// input stream change); the monitor thread never calls into the page.
#include "tuner/Dvbs2Options.h"
#include "tuner/TunerSettings.h"

#include "platform/com/ComPtr.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CPropertyPage.h"

#include <functional>

// Controls of the page.
inline constexpr int IDD_TUNER_SETTING = 130;
inline constexpr int IDC_SET_PLSCODE = 1000;
inline constexpr int IDC_SET_MODCODES = 1001;
inline constexpr int IDC_POLARITY = 1002;
inline constexpr int IDC_DISEQC = 1003;
inline constexpr int IDC_OUTPUT_STREAM = 1007;
inline constexpr int IDC_CODE_TYPE = 1009;
inline constexpr int IDC_SEND = 1011;
inline constexpr int IDC_FREQUENCY_EDIT = 1012;
inline constexpr int IDC_LNB_LOW = 1013;
inline constexpr int IDC_SYMBOLRATE_EDIT = 1014;
inline constexpr int IDC_LNB_HIGH = 1015;
inline constexpr int IDC_GOLDCODE = 1058;
inline constexpr int IDC_LNB_SWITCH = 1059;

class CBdacontrolDlg : public CPropertyPage {
public:
    CBdacontrolDlg();
    ~CBdacontrolDlg() override;

    void DoDataExchange(CDataExchange* dx) override;
    // Enter anywhere on the page runs LockTransponder; Escape is swallowed (the
    // page never closes on it). Both are consumed.
    BOOL PreTranslateMessage(MSG* msg) override;
    // Lists at index 0, LoadSettings, the graph for the chosen device, the
    // refusal of unsupported models (message, then a quit), m_pKsCtrl, and
    // the output stream list from the driver.
    BOOL OnInitDialog() override;
    // "Lock TP" (the default button): LockTransponder.
    void OnOK() override;
    // SaveSettings, ResetScrambling, the graph release hook, then the graph
    // stopped and released, m_pKsCtrl released under graphMutex, and the COM
    // apartment left.
    void OnDestroy() override;

    // Reads the settings file into the edits, lists and members and fills the
    // tuning block from them.
    void LoadSettings();
    // Pulls the code edit (a non-integer keeps the old value after the
    // toolkit's warning) and writes every key; write failures are not shown.
    void SaveSettings();
    // Saves, fills the tuning block from the edits, syncs the output stream
    // type (PCI-E), sends the committed switch for the chosen port, submits a
    // DVB-S tune request under graphMutex and runs the graph. Buttons "Send"
    // and "Lock TP" are disabled meanwhile.
    void LockTransponder();
    // One raw DiSEqC message (1..10 bytes) through the driver's set for this
    // device kind; true when the driver answered exactly S_OK. False, silently,
    // without m_pKsCtrl or with a bad length.
    bool SendDiseqCommand(const BYTE* bytes, int length);

    // Called once during the destroy, after the settings are saved and the
    // scrambling is reset, right before the graph is stopped and released: the
    // main window waits there until its monitor thread, which uses the graph and
    // m_pKsCtrl, has ended.
    void SetGraphReleaseHook(std::function<void()> hook) { m_graphReleaseHook = std::move(hook); }

    // The page's state, for the main window and tests.
    const TunerSettings& Settings() const { return m_settings; }
    const Dvbs2Options& Options() const { return m_dvbs2; }
    // The LNB switch frequency of the last LockTransponder, MHz; 0 before.
    LONG LnbSwitchMhz() const { return m_lnbSwitchMhz; }

    static DialogTemplate Template();

    CComboBox m_Polarity;
    CComboBox m_Diseqc;
    CComboBox m_OutputStream;
    CComboBox m_CodeType;

private:
    // The hidden "Send" command: save, then the tuning block header.
    void OnSend();
    void SetPlsCode();
    void ChooseModcods();
    void EnableTuneButtons(BOOL enable);
    // The five edits into TunerSettings' texts.
    void ReadEditTexts();

    TunerSettings m_settings;
    LONG m_lnbSwitchMhz = 0;
    Dvbs2Options m_dvbs2;
    // The graph's tuner filter, and on the PCI-E path the pin m_pKsCtrl came from.
    ComPtr<IBaseFilter> m_pTunerDevice;
    ComPtr<IPin> m_pInputPin;
    std::function<void()> m_graphReleaseHook;
};
