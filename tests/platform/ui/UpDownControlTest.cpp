// The up-down control: range direction, wrap, the buddy's number.
#include "platform/ui/UpDownControl.h"
#include "platform/ui/WinUser.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(UpDownControl, StepsTowardsTheUpperBoundAndWrapsWhenAsked)
{
    struct Case {
        const char* name;
        DWORD style;
        int lower, upper, start, direction;
        int expected;
    } cases[] = {
        {"up adds in a rising range", UDS_SETBUDDYINT, 0, 255, 12, +1, 13},
        {"down subtracts", UDS_SETBUDDYINT, 0, 255, 12, -1, 11},
        {"stops at the top without wrap", UDS_SETBUDDYINT, 0, 255, 255, +1, 255},
        {"wraps from the top to the bottom", UDS_SETBUDDYINT | UDS_WRAP, 0, 255, 255, +1, 0},
        {"wraps from the bottom to the top", UDS_SETBUDDYINT | UDS_WRAP, 0, 255, 0, -1, 255},
        {"default range 100..0: up counts down", UDS_SETBUDDYINT, 100, 0, 50, +1, 49},
        {"default range with wrap: up from 0 gives 100", UDS_SETBUDDYINT | UDS_WRAP, 100, 0, 0, +1, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget parent;
        QLineEdit buddy(&parent);
        UpDownControl updown(c.style, &parent);
        updown.SetBuddy(&buddy);
        updown.SetRange(c.lower, c.upper);
        updown.SetPos(c.start);
        updown.Step(c.direction);
        EXPECT_EQ(c.expected, updown.Pos());
        EXPECT_EQ(QString::number(c.expected), buddy.text());
    }
}

TEST(UpDownControl, ReadsTheBuddysNumberAndAnswersArrowKeys)
{
    QWidget parent;
    QLineEdit buddy(&parent);
    UpDownControl updown(UDS_SETBUDDYINT | UDS_ARROWKEYS, &parent);
    updown.SetBuddy(&buddy);
    updown.SetRange(0, 255);
    EXPECT_EQ(QString(), buddy.text()) << "setting the range leaves the buddy alone";
    buddy.setText("40");
    QTest::keyClick(&buddy, Qt::Key_Up);
    EXPECT_EQ("41", buddy.text());
    buddy.setText("not a number");
    QTest::keyClick(&buddy, Qt::Key_Down);
    EXPECT_EQ("40", buddy.text()) << "a text that is no number leaves the last position";
    buddy.setText("900");
    EXPECT_EQ(255, updown.Pos()) << "held in the range";
}

} // namespace
