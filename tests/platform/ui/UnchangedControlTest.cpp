// A control told to show what it shows already is not repainted: the monitor
// and the capture page set every text, icon and bar on each cycle, and only
// what changed may cost a paint. What the user sees and the notifications a
// program gets stay those of Windows.
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/CSpinButtonCtrl.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/ModalStack.h"
#include "platform/ui/Resources.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>

// Named: the test files of a folder share unity batches.
namespace unchanged_control_test {

constexpr int kLabel = 1100;
constexpr int kEdit = 1101;
constexpr int kStatusEdit = 1102;
constexpr int kButton = 1103;
constexpr int kCheck = 1104;
constexpr int kGroup = 1105;
constexpr int kCombo = 1106;
constexpr int kBar = 1107;
constexpr int kPicture = 1108;
constexpr int kBuddy = 1109;
constexpr int kUpDown = 1110;
constexpr int kRedIcon = 901;
constexpr int kGreenIcon = 902;

DialogTemplate PanelTemplate()
{
    using K = ControlKind;
    DialogTemplate t;
    t.id = 210;
    t.caption = L"Panel";
    t.cx = 200;
    t.cy = 150;
    t.controls = {
        {.id = kButton, .kind = K::PushButton, .text = L"Go", .rect = {7, 7, 40, 14}, .style = WS_TABSTOP},
        {.id = kLabel, .kind = K::Static, .text = L"Strength", .rect = {7, 25, 60, 8}},
        {.id = kEdit, .kind = K::Edit, .rect = {70, 23, 60, 14}, .style = ES_AUTOHSCROLL | WS_TABSTOP},
        {.id = kStatusEdit, .kind = K::Edit, .rect = {70, 40, 60, 14}, .style = ES_READONLY | ES_AUTOHSCROLL},
        {.id = kCheck, .kind = K::CheckBox, .text = L"ALL", .rect = {7, 58, 40, 10}, .style = WS_TABSTOP},
        {.id = kGroup, .kind = K::GroupBox, .text = L"Signal", .rect = {134, 7, 60, 40}},
        {.id = kCombo, .kind = K::ComboBox, .rect = {7, 72, 80, 60}, .style = CBS_DROPDOWN | WS_TABSTOP},
        {.id = kBar, .kind = K::Progress, .rect = {7, 90, 180, 10}},
        {.id = kPicture, .kind = K::Picture, .rect = {150, 60, 20, 20}, .style = SS_ICON, .image = kRedIcon},
        {.id = kBuddy, .kind = K::Edit, .rect = {7, 106, 40, 14}, .style = WS_TABSTOP},
        {.id = kUpDown,
         .kind = K::UpDown,
         .rect = {47, 106, 11, 14},
         .style = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS},
    };
    return t;
}

void RegisterIcons()
{
    for (const auto& [id, color] : {std::pair{kRedIcon, Qt::red}, std::pair{kGreenIcon, Qt::green}}) {
        QPixmap image(32, 32);
        image.fill(color);
        Resources::AddIcon(id, QIcon(image));
    }
}

// Counts the paint events each control of the dialog receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window)
    {
        for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(this);
    }
    // Delivers every pending repaint, then forgets the counts.
    void Settle()
    {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        m_paints.clear();
    }
    // Paints of the control (or any widget inside it) once pending repaints ran.
    int PaintsOf(QWidget* control)
    {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        int paints = 0;
        for (const auto& [widget, count] : m_paints) {
            auto* painted = qobject_cast<QWidget*>(widget);
            if (painted == control || control->isAncestorOf(painted)) paints += count;
        }
        return paints;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++m_paints[watched];
        return false;
    }

private:
    std::map<QObject*, int> m_paints;
};

class Panel : public CDialog {
public:
    Panel() : CDialog(PanelTemplate()) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        // The checks run inside the modal loop, once the window is shown.
        QTimer::singleShot(0, GetSafeHwnd(), [this] {
            body();
            EndDialog(IDOK);
        });
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, kBar, m_bar);
        DDX_Control(dx, kPicture, m_picture);
        DDX_Control(dx, kUpDown, m_updown);
    }

    QWidget* Control(int id) const { return GetSafeHwnd()->findChild<QWidget*>(QString::number(id)); }

    std::function<void()> body;
    CProgressCtrl m_bar;
    CStatic m_picture;
    CSpinButtonCtrl m_updown;
};

class UnchangedControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterIcons(); }
    void TearDown() override
    {
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window outlived its test";
        EXPECT_EQ(nullptr, ModalStack::Top());
    }

    // Runs fn inside a shown panel with a paint counter on its controls; the
    // focus rests on the button, so no caret blinks in an edit.
    void RunInPanel(const std::function<void(Panel&, PaintCounter&)>& fn)
    {
        Panel panel;
        panel.body = [&] {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.GetSafeHwnd()));
            panel.Control(kButton)->setFocus();
            PaintCounter counter(panel.GetSafeHwnd());
            counter.Settle();
            fn(panel, counter);
        };
        EXPECT_EQ(IDOK, panel.DoModal());
    }
};

TEST_F(UnchangedControlTest, TheSameTextIsNotRepaintedANewOneIs)
{
    struct Case {
        const char* name;
        int id;
    };
    const Case cases[] = {
        {"static text", kLabel},    {"edit", kEdit},       {"read-only status edit", kStatusEdit},
        {"push button", kButton},   {"check box", kCheck}, {"group", kGroup},
        {"editable combo", kCombo},
    };
    RunInPanel([&](Panel& panel, PaintCounter& counter) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            QWidget* control = panel.Control(c.id);
            ASSERT_NE(nullptr, control);
            panel.SetDlgItemText(c.id, L"-51 dBm");
            EXPECT_GT(counter.PaintsOf(control), 0) << "a new text is shown";
            counter.Settle();

            panel.SetDlgItemText(c.id, L"-51 dBm");
            EXPECT_EQ(0, counter.PaintsOf(control)) << "the same text again";
            panel.SetDlgItemInt(c.id, 7);
            EXPECT_GT(counter.PaintsOf(control), 0);
            counter.Settle();
            panel.SetDlgItemInt(c.id, 7);
            EXPECT_EQ(0, counter.PaintsOf(control)) << "the same number again";

            std::wstring text;
            panel.GetDlgItemText(c.id, text);
            EXPECT_EQ(L"7", text);
        }
    });
}

TEST_F(UnchangedControlTest, AnEditTakesItsTextAgainAsWindowsSetsIt)
{
    RunInPanel([](Panel& panel, PaintCounter&) {
        auto* edit = qobject_cast<QLineEdit*>(panel.Control(kEdit));
        int changes = 0;
        panel.MapCommand(kEdit, EN_CHANGE, [&] { ++changes; });

        panel.SetDlgItemText(kEdit, L"11494");
        EXPECT_EQ(1, changes);
        panel.SetDlgItemText(kEdit, L"11494");
        EXPECT_EQ(1, changes) << "the same text notifies no change, as before";

        // The user typed the same digits over it: the program's text clears
        // the modification flag again.
        edit->selectAll();
        QTest::keyClicks(edit, "11494");
        EXPECT_TRUE(edit->isModified());
        panel.SetDlgItemText(kEdit, L"11494");
        EXPECT_FALSE(edit->isModified());

        // The caret left at the end, or a selection, goes back to the start.
        edit->end(false);
        panel.SetDlgItemText(kEdit, L"11494");
        EXPECT_EQ(0, edit->cursorPosition());
        edit->selectAll();
        panel.SetDlgItemText(kEdit, L"11494");
        EXPECT_FALSE(edit->hasSelectedText());
    });
}

TEST_F(UnchangedControlTest, TheSameBarRangeAndPositionAreNotRepainted)
{
    RunInPanel([](Panel& panel, PaintCounter& counter) {
        QWidget* bar = panel.Control(kBar);
        panel.m_bar.SetRange(0, 100);
        panel.m_bar.SetPos(40);
        EXPECT_GT(counter.PaintsOf(bar), 0);
        counter.Settle();

        panel.m_bar.SetRange(0, 100);
        panel.m_bar.SetPos(40);
        EXPECT_EQ(40, panel.m_bar.OffsetPos(0));
        EXPECT_EQ(0, counter.PaintsOf(bar)) << "range and position as they were";

        // Beyond the end the bar holds at the end: once there, no repaint.
        panel.m_bar.SetPos(250);
        EXPECT_EQ(100, panel.m_bar.GetPos());
        counter.Settle();
        panel.m_bar.SetPos(300);
        EXPECT_EQ(0, counter.PaintsOf(bar));

        panel.m_bar.SetRange(0, 50);
        EXPECT_EQ(50, panel.m_bar.GetPos()) << "a narrower range moves the position inside it";
        EXPECT_GT(counter.PaintsOf(bar), 0);
    });
}

TEST_F(UnchangedControlTest, TheSameIconIsNotRepaintedAnotherIs)
{
    RunInPanel([](Panel& panel, PaintCounter& counter) {
        QWidget* picture = panel.Control(kPicture);
        const HICON red = Resources::Icon(kRedIcon);
        const HICON green = Resources::Icon(kGreenIcon);
        panel.m_picture.SetIcon(green);
        EXPECT_GT(counter.PaintsOf(picture), 0);
        counter.Settle();

        EXPECT_EQ(green, panel.m_picture.SetIcon(green));
        EXPECT_EQ(0, counter.PaintsOf(picture)) << "the icon it shows";
        EXPECT_EQ(green, panel.m_picture.SetIcon(red));
        EXPECT_GT(counter.PaintsOf(picture), 0);
        EXPECT_EQ(red, panel.m_picture.GetIcon());
    });
}

TEST_F(UnchangedControlTest, TheSameUpDownPositionLeavesItsBuddyAlone)
{
    RunInPanel([](Panel& panel, PaintCounter& counter) {
        auto* buddy = qobject_cast<QLineEdit*>(panel.Control(kBuddy));
        panel.m_updown.SetRange(0, 255);
        panel.m_updown.SetPos(12);
        EXPECT_EQ(QString("12"), buddy->text());
        counter.Settle();

        panel.m_updown.SetPos(12);
        EXPECT_EQ(0, counter.PaintsOf(buddy)) << "the number it shows";
        EXPECT_EQ(2, buddy->cursorPosition()) << "the caret at the end, where setting the number puts it";
        panel.m_updown.SetPos(13);
        EXPECT_EQ(QString("13"), buddy->text());
        EXPECT_GT(counter.PaintsOf(buddy), 0);
    });
}

} // namespace unchanged_control_test
