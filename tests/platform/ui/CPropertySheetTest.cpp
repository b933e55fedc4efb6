// A child property sheet: pages made lazily when first shown, destroyed in
// tab order after the dialog around them has run its own OnDestroy.
#include "platform/ui/CPropertyPage.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/automation/Transcript.h"
#include "tests/support/TestDialogIds.h"

#include "tests/platform/ui/ToolkitProbe.h"

#include "platform/ui/CButton.h"
#include <gtest/gtest.h>

namespace {

// The pages' template ids, as the main window's sheet has them.
constexpr int IDD_TUNER_PAGE = 130;
constexpr int IDD_CAPTURE_PAGE = 131;
constexpr int IDD_MOTOR_PAGE = 148;
// Their controls and the host's.
constexpr int IDC_PAGE_FREQUENCY = 1012;
constexpr int IDC_HOST_LINE = 1057;
constexpr int IDC_HOST_APPLY = 1000;

using Log = std::vector<std::string>;

DialogTemplate PageTemplate(int id, const wchar_t* caption)
{
    DialogTemplate t;
    t.id = id;
    t.caption = caption;
    t.cx = 120;
    t.cy = 60;
    t.controls = {
        {.id = IDC_PAGE_FREQUENCY,
         .kind = ControlKind::Edit,
         .rect = {10, 10, 60, 14},
         .style = ES_NUMBER | WS_TABSTOP},
        {.id = IDOK,
         .kind = ControlKind::PushButton,
         .text = L"Lock TP",
         .rect = {10, 30, 50, 14},
         .style = BS_DEFPUSHBUTTON},
    };
    return t;
}

class LoggingPage : public CPropertyPage {
public:
    LoggingPage(int id, const wchar_t* caption, Log& log) : CPropertyPage(PageTemplate(id, caption)), m_log(log) {}
    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        m_log.push_back("init " + std::to_string(Template().id));
        return TRUE;
    }
    void OnDestroy() override { m_log.push_back("destroy " + std::to_string(Template().id)); }
    void OnOK() override { m_log.push_back("ok " + std::to_string(Template().id)); }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        // Like the tuner page: Enter runs the page's action, Escape is kept.
        if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
            if (msg->wParam == VK_RETURN) OnOK();
            return TRUE;
        }
        return FALSE;
    }

private:
    Log& m_log;
};

class HostDialog : public CDialog {
public:
    explicit HostDialog(Log& log)
        : CDialog(Host()),
          m_log(log),
          m_tuner(IDD_TUNER_PAGE, L"Tuner Setting", log),
          m_capture(IDD_CAPTURE_PAGE, L"Capture Control", log),
          m_motor(IDD_MOTOR_PAGE, L"Motor/Positioner", log)
    {}
    static DialogTemplate Host()
    {
        DialogTemplate t;
        t.id = IDD_TEST_HOST;
        t.caption = L"KavroN71 TS Recorder";
        t.cx = 200;
        t.cy = 150;
        t.controls = {
            {.id = IDC_HOST_LINE, .kind = ControlKind::Line, .rect = {0, 120, 200, 1}},
            {.id = IDC_HOST_APPLY, .kind = ControlKind::PushButton, .text = L"Apply", .rect = {140, 128, 50, 14}}};
        return t;
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_sheet.GetPageCount() == 0) {
            m_sheet.AddPage(&m_tuner);
            m_sheet.AddPage(&m_capture);
            m_sheet.AddPage(&m_motor);
        }
        m_sheet.Create(this, WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT);
        m_log.push_back("sheet made");
        if (afterInit) afterInit();
        return TRUE;
    }
    void OnDestroy() override { m_log.push_back("destroy 102"); }

    std::function<void()> afterInit;
    CPropertySheet m_sheet;

private:
    Log& m_log;
    LoggingPage m_tuner;
    LoggingPage m_capture;
    LoggingPage m_motor;
};

TEST(CPropertySheet, PagesAreMadeWhenFirstShownAndDestroyedInTabOrderAfterTheirOwner)
{
    struct Case {
        const char* name;
        std::vector<int> shown; // tabs shown after creation, in order
        Log expected;
    } cases[] = {
        {"only the first page", {}, {"init 130", "sheet made", "destroy 102", "destroy 130"}},
        {"pages shown out of tab order",
         {2, 0, 1, 2},
         {"init 130", "sheet made", "init 148", "init 131", "destroy 102", "destroy 130", "destroy 131",
          "destroy 148"}},
        {"second page only", {1}, {"init 130", "sheet made", "init 131", "destroy 102", "destroy 130", "destroy 131"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Log log;
        HostDialog host(log);
        host.afterInit = [&] {
            EXPECT_EQ(3, host.m_sheet.GetPageCount());
            for (int index : c.shown) EXPECT_TRUE(host.m_sheet.SetActivePage(index));
            EXPECT_FALSE(host.m_sheet.SetActivePage(3));
            host.EndDialog(IDOK);
        };
        host.DoModal();
        EXPECT_EQ(c.expected, log);
        EXPECT_EQ(nullptr, host.m_sheet.GetSafeHwnd());
        EXPECT_FALSE(ToolkitWindowsLeft());
    }
}

TEST(CPropertySheet, EnterInAPageGoesToThePageFirst)
{
    Log log;
    HostDialog host(log);
    host.afterInit = [&] {
        RunLater([&] {
            CPropertyPage* page = host.m_sheet.GetActivePage();
            ASSERT_NE(nullptr, page);
            CWnd* edit = page->GetDlgItem(IDC_PAGE_FREQUENCY);
            edit->SetFocus();
            PressKey(edit->GetSafeHwnd(), VK_RETURN);
            PressKey(edit->GetSafeHwnd(), VK_ESCAPE);
            EXPECT_FALSE(host.IsEnding()) << "the page keeps Escape";
            static_cast<CButton*>(page->GetDlgItem(IDOK))->Click();
            host.EndDialog(IDCANCEL);
        });
    };
    host.DoModal();
    EXPECT_EQ((Log{"init 130", "sheet made", "ok 130", "ok 130", "destroy 102", "destroy 130"}), log);
}

TEST(CPropertySheet, DisabledFocusStaysInThePageSoEnterAndEscapeStillGoToIt)
{
    struct Case {
        const char* name;
        std::vector<int> disabled; // in order; the focus starts on the page's button
        int focusId;               // where the focus must go: a control, or 0 for the page itself
    } cases[] = {
        {"the next control that takes the tab key", {IDOK}, IDC_PAGE_FREQUENCY},
        {"no control left: the page itself", {IDC_PAGE_FREQUENCY, IDOK}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Log log;
        HostDialog host(log);
        host.afterInit = [&] {
            RunLater([&] {
                CPropertyPage* page = host.m_sheet.GetActivePage();
                ASSERT_NE(nullptr, page);
                page->GetDlgItem(IDOK)->SetFocus();
                for (int id : c.disabled) page->GetDlgItem(id)->EnableWindow(FALSE);
                EXPECT_TRUE(FocusWithin(page->GetSafeHwnd()));
                EXPECT_EQ(c.focusId, FocusedControlId(host.GetSafeHwnd()));
                HWND focus = c.focusId ? page->GetDlgItem(c.focusId)->GetSafeHwnd() : page->GetSafeHwnd();
                PressKey(focus, VK_RETURN);
                PressKey(focus, VK_ESCAPE);
                EXPECT_FALSE(host.IsEnding()) << "Enter and Escape belong to the page";
                host.EndDialog(IDCANCEL);
            });
        };
        host.DoModal();
        EXPECT_EQ((Log{"init 130", "sheet made", "ok 130", "destroy 102", "destroy 130"}), log);
    }
}

TEST(CPropertySheet, RecreatedWithItsDialog)
{
    Log log;
    HostDialog host(log);
    Transcript::BeginCapture();
    host.afterInit = [&] { host.EndDialog(IDOK); };
    host.DoModal();
    host.DoModal();
    EXPECT_EQ("open 102 \"KavroN71 TS Recorder\"\nopen 130 \"Tuner Setting\"\nend 102 OK\n"
              "open 102 \"KavroN71 TS Recorder\"\nopen 130 \"Tuner Setting\"\nend 102 OK\n",
              Transcript::TakeCapture());
}

} // namespace
