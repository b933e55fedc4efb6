// The main window: title, panel texts, the sheet's pages and place, the About
// box through the system menu, help, device removal, dragging and the stop
// signal.
#include "app/CBDAUtilDlg.h"

#include "app/AppResources.h"
#include "process/ProgramDirectory.h"
#include "graph/TunerGraph.h"
#include "tests/app/AppRig.h"

#include "platform/ui/CWinApp.h"
#include "platform/ui/automation/UiAutomation.h"
#include "app/CAboutDlg.h"
#include "tests/support/UiScriptText.h"
#include "app/MainWindowControls.h"
#include "platform/ui/WinUser.h"

#include <functional>
#include <optional>

namespace {

// The main window with a look inside at the end of its initialisation.
class ProbedWindow : public CBDAUtilDlg {
public:
    std::function<void(ProbedWindow&)> afterInit;
    std::vector<std::pair<UINT, LPARAM>> moves;

    BOOL OnInitDialog() override
    {
        const BOOL result = CBDAUtilDlg::OnInitDialog();
        if (afterInit) afterInit(*this);
        return result;
    }
    // Records the window moves a drag starts instead of following a mouse that
    // is not there.
    void OnSysCommand(UINT id, LPARAM lParam) override
    {
        if ((id & 0xFFF0) == SC_MOVE) {
            moves.emplace_back(id, lParam);
            return;
        }
        CBDAUtilDlg::OnSysCommand(id, lParam);
    }
};

class CBDAUtilDlgTest : public AppRig {
protected:
    void SetUp() override
    {
        AppRig::SetUp();
        RegisterAppResources();
        // These windows run without a graph (deviceIndex -1); the Tuner Setting
        // page refuses an unsupported model, so one counts as classified.
        TunerGraph::Process().deviceType = DEVICE_TYPE_N72_TUNER_B;
    }

    // A fresh window run under script, looked into by afterInit; returns the
    // transcript. The window stays for the test to examine.
    std::string Run(const std::string& script, std::function<void(ProbedWindow&)> afterInit = nullptr)
    {
        m_window = std::make_unique<ProbedWindow>();
        m_window->afterInit = std::move(afterInit);
        m_app.m_pMainWnd = m_window.get();
        const std::string transcript = RunUiScript(script, [&] { m_result = m_window->DoModal(); });
        m_app.m_pMainWnd = nullptr;
        return transcript;
    }

    CWinApp m_app;
    std::unique_ptr<ProbedWindow> m_window;
    INT_PTR m_result = 0;
};

TEST_F(CBDAUtilDlgTest, TitleNamesTheChosenDeviceAndTheProductVersion)
{
    struct Case {
        const char* name;
        std::wstring device;
        std::string title;
    };
    const Case cases[] = {
        {"a chosen tuner", L"Kavro N72 DVBS/S2 Tuner B",
         "title \"Kavro N72 DVBS/S2 Tuner B TS Recorder - Version:  3.0.0.8 \""},
        {"an empty machine", L"No Device", "title \"No Device TS Recorder - Version:  3.0.0.8 \""},
        {"a percent sign in a name stays text", L"Tuner %s %d",
         "title \"Tuner %s %d TS Recorder - Version:  3.0.0.8 \""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        deviceName = c.device;
        EXPECT_TRUE(HasLinesInOrder(Run(""), {"open 102 \"KavroN71 TS Recorder\"", c.title}));
    }
}

TEST_F(CBDAUtilDlgTest, PanelStartsUnlockedAndTheSheetHoldsThePagesInTabOrder)
{
    const std::string transcript =
        Run(UiScriptText().Dump(IDC_LOCK_STATUS).Dump(IDC_STRENGTH).Dump(IDC_QUALITY).Page(1).Page(2).Page(0));
    EXPECT_TRUE(HasLinesInOrder(transcript,
                                {
                                    "open 102 \"KavroN71 TS Recorder\"",
                                    "open 130 \"Tuner Setting\"",
                                    "control 1032 edit \"unlock\" enabled=0 visible=1",
                                    "control 1035 edit \"0\" enabled=0 visible=1",
                                    "control 1034 edit \"0\" enabled=0 visible=1",
                                    "open 131 \"Capture Control\"",
                                    "open 148 \"Motor/Positioner\"",
                                    "end 102 CANCEL",
                                }));
    const std::vector<std::string> lines = Lines(transcript);
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "open 130 \"Tuner Setting\"")) << "a page is made once";
}

TEST_F(CBDAUtilDlgTest, SheetLiesBetweenBannerAndLineAcrossTheWidth)
{
    RECT banner{}, line{}, sheet{};
    Run("", [&](ProbedWindow& w) {
        w.m_banner.GetWindowRect(&banner);
        w.GetDlgItem(IDC_SHEET_LINE)->GetWindowRect(&line);
        w.m_sheet.GetWindowRect(&sheet);
        w.ScreenToClient(&sheet);
    });
    ASSERT_GT(line.top, banner.bottom);
    EXPECT_EQ(0, sheet.left);
    EXPECT_EQ(banner.bottom - banner.top + 2, sheet.top);
    EXPECT_EQ(line.right - line.left, sheet.right - sheet.left);
    EXPECT_EQ(line.top - banner.bottom, sheet.bottom - sheet.top);
}

TEST_F(CBDAUtilDlgTest, SystemCommandsSixteenToThirtyOneOpenTheAboutBox)
{
    struct Case {
        UINT command;
        bool opensAbout;
    };
    const Case cases[] = {{16, true}, {31, true}, {23, true}, {32, false}, {15, false}, {0x1010, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const std::string transcript = Run("syscommand " + std::to_string(c.command) + "\n");
        EXPECT_EQ(c.opensAbout, HasLine(transcript, "open 100 \"KavroN71 TS Recorder\"")) << transcript;
    }
}

TEST_F(CBDAUtilDlgTest, AboutBoxShowsTheProductVersionAndSitsInTheSystemMenu)
{
    std::vector<CMenu::Item> menu;
    const std::string transcript = Run(UiScriptText().SysCommand(16).Dump(IDC_ABOUT_VERSION).Click(IDOK),
                                       [&](ProbedWindow& w) { menu = w.GetSystemMenu(FALSE)->Items(); });
    EXPECT_TRUE(
        HasLinesInOrder(transcript,
                        {"open 100 \"KavroN71 TS Recorder\"", "control 1050 static \" 3.0.0.8 \" enabled=1 visible=1",
                         "end 100 OK", "end 102 CANCEL"}));
    ASSERT_GE(menu.size(), 2u);
    EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR), menu[menu.size() - 2].flags & MF_SEPARATOR);
    EXPECT_EQ(16u, menu.back().id);
    EXPECT_EQ(L"&About Kavro TS Recorder Tool.", menu.back().text);
}

TEST_F(CBDAUtilDlgTest, HelpOpensTheHelpFileInTheProgramsFolder)
{
    programDirectory = L"c:\\Program Files\\Kavro";
    const std::string transcript = Run(UiScriptText().Help());
    EXPECT_TRUE(HasLine(transcript, "shell open \"c:\\\\Program Files\\\\Kavro\\\\L-box-recorder.chm\"")) << transcript;
    programDirectory.clear();
}

TEST_F(CBDAUtilDlgTest, DeviceRemovalClosesAsOkAndEveryEndRaisesTheStopSignal)
{
    struct Case {
        const char* name;
        std::string script;
        INT_PTR result;
    };
    const Case cases[] = {
        {"device removal complete", UiScriptText().DeviceRemoval(), IDOK},
        {"Escape", UiScriptText().Key("escape"), IDCANCEL},
        {"the close box", UiScriptText().Close(), IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<LONG> stopWhileOpen;
        Run(c.script, [&](ProbedWindow& w) { stopWhileOpen = w.stopRequested.load(); });
        EXPECT_EQ(c.result, m_result);
        EXPECT_EQ(0, stopWhileOpen.value_or(-1));
        EXPECT_EQ(1, m_window->stopRequested.load());
    }
}

TEST_F(CBDAUtilDlgTest, OnlyRemovalNoticesCloseTheWindow)
{
    struct Case {
        UINT event;
        bool closes;
    };
    const Case cases[] = {
        {DBT_DEVICEREMOVEPENDING, true}, {DBT_DEVICEREMOVECOMPLETE, true}, {DBT_DEVICEARRIVAL, false}, {0x8005, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        BOOL answer = -1;
        bool ending = false;
        Run("", [&](ProbedWindow& w) {
            answer = w.OnDeviceChange(c.event, 0);
            ending = w.IsEnding();
        });
        EXPECT_EQ(c.closes, ending);
        EXPECT_EQ(c.closes ? FALSE : TRUE, answer);
    }
}

TEST_F(CBDAUtilDlgTest, PressOnAFreePointDragsTheWindowLikeItsCaption)
{
    Run(UiScriptText().Wait(50), [](ProbedWindow& w) { w.OnLButtonDown(0x0001, POINT{37, 250}); });
    ASSERT_EQ(1u, m_window->moves.size());
    EXPECT_EQ(SC_MOVE, m_window->moves[0].first);
    EXPECT_EQ(MAKELPARAM(37, 250), m_window->moves[0].second);
}

} // namespace
