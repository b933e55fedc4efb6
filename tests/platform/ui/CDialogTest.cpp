// A dialog's life: modal run and end, clicks to handlers by id, the Enter and
// Escape keys, timers, system menu and commands, help, device change.
#include "platform/ui/CDialog.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/ModalStack.h"
#include "platform/ui/automation/Transcript.h"

#include "tests/platform/ui/SampleDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>

namespace {

template <typename T = QWidget>
T* Control(CWnd& dialog, int id)
{
    return dialog.GetSafeHwnd()->findChild<T*>(QString::number(id));
}

class CDialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window outlived its test";
        EXPECT_EQ(nullptr, ModalStack::Top());
    }
};

TEST_F(CDialogTest, ClicksReachTheirHandlersById)
{
    SampleDialog dialog;
    dialog.afterInit = [&] {
        QTest::mouseClick(Control(dialog, IDC_SAMPLE_START), Qt::LeftButton);
        QTest::mouseClick(Control(dialog, IDC_SAMPLE_ALL), Qt::LeftButton);
        QTest::mouseClick(Control(dialog, IDC_SAMPLE_USE_TIME), Qt::LeftButton);
        QTest::mouseClick(Control(dialog, IDC_SAMPLE_ALL), Qt::LeftButton);
        dialog.KillTimer(0);
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((std::vector<std::string>{"init", "click 1036", "all on", "time mode", "all off", "destroy"}),
              dialog.events);
    EXPECT_EQ(nullptr, dialog.GetSafeHwnd()) << "the window is gone after the run";
}

TEST_F(CDialogTest, AutoRadioButtonsSelectWithinTheirGroup)
{
    SampleDialog dialog;
    dialog.afterInit = [&] {
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_SAMPLE_USE_SIZE));
        QTest::mouseClick(Control(dialog, IDC_SAMPLE_USE_TIME), Qt::LeftButton);
        EXPECT_EQ(BST_UNCHECKED, dialog.IsDlgButtonChecked(IDC_SAMPLE_USE_SIZE));
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_SAMPLE_USE_TIME));
        QTest::mouseClick(Control(dialog, IDC_SAMPLE_USE_TIME), Qt::LeftButton);
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_SAMPLE_USE_TIME)) << "a second click keeps it selected";
        // The program may set both, as Windows lets it.
        dialog.CheckDlgButton(IDC_SAMPLE_USE_SIZE, BST_CHECKED);
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_SAMPLE_USE_TIME));
        dialog.CheckRadioButton(IDC_SAMPLE_USE_SIZE, IDC_SAMPLE_USE_TIME, IDC_SAMPLE_USE_SIZE);
        EXPECT_EQ(BST_UNCHECKED, dialog.IsDlgButtonChecked(IDC_SAMPLE_USE_TIME));
        dialog.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

TEST_F(CDialogTest, EnterAndEscapeArePreTranslatedThenDefaultHandled)
{
    struct Case {
        const char* name;
        int focusId;
        Qt::Key key;
        bool swallowEnter;
        INT_PTR result;
        std::vector<std::string> events;
    } cases[] = {
        {"Enter in an edit presses the default button (OK)",
         IDC_SAMPLE_PATH,
         Qt::Key_Return,
         false,
         IDOK,
         {"init", "destroy"}},
        {"Enter on a push button presses that button",
         IDC_SAMPLE_CANCEL,
         Qt::Key_Return,
         false,
         IDCANCEL,
         {"init", "click 1037", "destroy"}},
        {"a consuming PreTranslateMessage keeps Enter",
         IDC_SAMPLE_PATH,
         Qt::Key_Return,
         true,
         IDCANCEL,
         {"init", "destroy"}},
        {"Escape cancels", IDC_SAMPLE_PATH, Qt::Key_Escape, false, IDCANCEL, {"init", "destroy"}},
        {"Escape cancels even with Enter consumed",
         IDC_SAMPLE_SIZE,
         Qt::Key_Escape,
         true,
         IDCANCEL,
         {"init", "destroy"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Transcript::BeginCapture(); // message boxes raised here are recorded...
        SampleDialog dialog;
        dialog.swallowEnter = c.swallowEnter;
        dialog.afterInit = [&] {
            QTimer::singleShot(0, [&] {
                QWidget* target = Control(dialog, c.focusId);
                target->setFocus();
                // ...and a box that opens is answered as a user would.
                QTimer::singleShot(50, [] {
                    if (QWidget* box = QApplication::activeModalWidget(); box && box->inherits("QMessageBox")) {
                        QTest::keyClick(box, Qt::Key_Return);
                    }
                });
                QTest::keyClick(target, c.key);
                if (dialog.GetSafeHwnd() && !dialog.IsEnding()) dialog.EndDialog(IDCANCEL);
            });
        };
        EXPECT_EQ(c.result, dialog.DoModal());
        EXPECT_EQ(c.events, dialog.events);
        EXPECT_EQ(c.swallowEnter && c.key == Qt::Key_Return ? 1 : 0, dialog.enterSwallowed);
        Transcript::TakeCapture();
    }
}

TEST_F(CDialogTest, TimersTickUntilKilledAndDieWithTheWindow)
{
    SampleDialog dialog;
    int ticks = 0;
    dialog.afterInit = [&] {
        EXPECT_EQ(7u, dialog.SetTimer(7, 5));
        EXPECT_EQ(7u, dialog.SetTimer(7, 5)) << "setting again restarts, not doubles";
    };
    // A second dialog object counts the ticks through the first one's events.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        ticks = static_cast<int>(std::count(dialog.events.begin(), dialog.events.end(), "timer 7"));
        if (ticks >= 3 && !dialog.IsEnding()) {
            EXPECT_TRUE(dialog.KillTimer(7));
            EXPECT_FALSE(dialog.KillTimer(7));
            dialog.EndDialog(IDOK);
        }
    });
    watcher.start(1);
    EXPECT_EQ(IDOK, dialog.DoModal());
    watcher.stop();
    const auto counted = std::count(dialog.events.begin(), dialog.events.end(), "timer 7");
    EXPECT_EQ(ticks, counted) << "no tick after KillTimer";
    EXPECT_EQ(0u, dialog.SetTimer(1, 10)) << "no window, no timer";
}

TEST_F(CDialogTest, NoTimerTickComesBeforeItsPeriodEvenAfterALateOne)
{
    using Clock = std::chrono::steady_clock;
    constexpr UINT kPeriod = 50;
    struct TickingDialog : SampleDialog {
        void OnTimer(UINT_PTR /*id*/) override
        {
            ticks.push_back(Clock::now());
            if (ticks.size() == 12) EndDialog(IDOK);
        }
        std::vector<Clock::time_point> ticks;
    } dialog;
    Clock::time_point set;
    dialog.afterInit = [&] {
        set = Clock::now();
        dialog.SetTimer(3, kPeriod);
    };
    // Other work holds the thread now and then, so that some ticks come late;
    // the next one must still wait a whole period.
    QTimer busy;
    QObject::connect(&busy, &QTimer::timeout, [] {
        const auto until = Clock::now() + std::chrono::milliseconds(20);
        while (Clock::now() < until) {}
    });
    busy.start(37);
    EXPECT_EQ(IDOK, dialog.DoModal());
    busy.stop();
    ASSERT_EQ(12u, dialog.ticks.size());
    Clock::time_point last = set;
    for (std::size_t i = 0; i < dialog.ticks.size(); ++i) {
        const auto interval = dialog.ticks[i] - last;
        EXPECT_GE(interval, std::chrono::milliseconds(kPeriod))
            << "tick " << i << " after " << std::chrono::duration_cast<std::chrono::microseconds>(interval).count()
            << " us";
        last = dialog.ticks[i];
    }
}

TEST_F(CDialogTest, OkValidatesBeforeEndingAndCancelDoesNot)
{
    Transcript::BeginCapture();
    SampleDialog dialog;
    dialog.afterInit = [&] {
        dialog.SetDlgItemText(IDC_SAMPLE_SIZE, L"5");
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(30, [] {
                if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Return);
            });
            QTest::mouseClick(Control(dialog, IDOK), Qt::LeftButton);
            EXPECT_FALSE(dialog.IsEnding()) << "a failed validation keeps the dialog open";
            QTest::mouseClick(Control(dialog, IDCANCEL), Qt::LeftButton);
        });
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    const std::string transcript = Transcript::TakeCapture();
    EXPECT_NE(std::string::npos, transcript.find("Please enter an integer between 50 and 800000.")) << transcript;
}

TEST_F(CDialogTest, UserActionsOnListsNotifyAndProgramChangesDoNot)
{
    SampleDialog dialog;
    dialog.afterInit = [&] {
        dialog.m_names.SetCurSel(0); // the program's own change: no notice
        auto* list = Control<QListWidget>(dialog, IDC_SAMPLE_NAMES);
        const QRect second = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
        dialog.EndDialog(IDOK);
    };
    dialog.DoModal();
    EXPECT_EQ((std::vector<std::string>{"init", "names 1", "names dblclk", "destroy"}), dialog.events);
}

TEST_F(CDialogTest, AClickOnAFreePointReachesTheDialogAndCanStartAMove)
{
    struct DragDialog : SampleDialog {
        std::vector<POINT> pressed;
        std::vector<UINT> commands;
        void OnLButtonDown(UINT, POINT point) override
        {
            pressed.push_back(point);
            PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
        }
        void OnSysCommand(UINT id, LPARAM lParam) override
        {
            commands.push_back(id);
            SampleDialog::OnSysCommand(id, lParam);
        }
    } dialog;
    dialog.afterInit = [&] {
        QTimer::singleShot(0, [&] {
            QTest::mouseClick(dialog.GetSafeHwnd(), Qt::LeftButton, {}, QPoint(3, 3));
            // Once the posted move has been delivered: a control keeps its own clicks.
            QTimer::singleShot(10, [&] { QTest::mouseClick(Control(dialog, IDOK), Qt::LeftButton); });
        });
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    ASSERT_EQ(1u, dialog.pressed.size());
    EXPECT_EQ(3, dialog.pressed[0].x);
    EXPECT_EQ(3, dialog.pressed[0].y);
    EXPECT_EQ(std::vector<UINT>{SC_MOVE}, dialog.commands) << "the caption press arrives as a move";
}

TEST_F(CDialogTest, IconsPicturesAndTheMainWindowTitle)
{
    RegisterSampleResources();
    CWinApp app;
    SampleDialog dialog;
    app.m_pMainWnd = &dialog;
    Transcript::BeginCapture();
    dialog.afterInit = [&] {
        HICON icon = app.LoadIcon(kSampleIconId);
        ASSERT_NE(nullptr, icon);
        EXPECT_EQ(nullptr, app.LoadIcon(999));
        EXPECT_EQ(nullptr, dialog.SetIcon(icon, TRUE));
        EXPECT_EQ(icon, dialog.SetIcon(icon, TRUE));
        EXPECT_EQ(icon, dialog.GetIcon(TRUE));
        EXPECT_EQ(nullptr, dialog.GetIcon(FALSE));
        EXPECT_EQ(QSize(32, 32), Control(dialog, IDC_SAMPLE_ICON)->size()) << "an icon picture takes the icon's size";
        dialog.SetWindowText(L"Kavro N71 TS Recorder - Version:  3.0.0.8 ");
        dialog.GetDlgItem(IDC_SAMPLE_STATUS)->SetWindowText(L"not a title");
        dialog.EndDialog(IDOK);
    };
    dialog.DoModal();
    EXPECT_EQ("open 200 \"Sample Settings\"\ntitle \"Kavro N71 TS Recorder - Version:  3.0.0.8 \"\nend 200 OK\n",
              Transcript::TakeCapture());
}

} // namespace
