#include "platform/ui/DialogBuilder.h"
#include "platform/ui/DialogUnits.h"

#include "tests/platform/ui/SampleDialog.h"

#include <QComboBox>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero)
{
    struct Case {
        const char* name;
        int number, numerator, denominator, expected;
    } cases[] = {
        {"exact", 8, 6, 4, 12},
        {"half rounds up", 3, 6, 4, 5},            // 4.5
        {"below half rounds down", 19, 13, 8, 31}, // 30.875
        {"negative half rounds away", -3, 6, 4, -5},
        {"negative divisor", 3, 6, -4, -5},
        {"no overflow in the product", 2000000000, 3, 4, 1500000000},
        {"zero divisor answers -1", 5, 5, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, MulDiv(c.number, c.numerator, c.denominator));
    }
}

TEST(DialogUnits, RectanglesMapByTheirCorners)
{
    const DialogBaseUnits base{6, 13};
    struct Case {
        const char* name;
        DialogRect rect;
        QRect expected;
    } cases[] = {
        // The device list box: 6,19 169x81 at base units 6 x 13.
        {"device list", {6, 19, 169, 81}, QRect(9, 31, 254, 132)},
        {"origin", {0, 0, 4, 8}, QRect(0, 0, 6, 13)},
        // Neighbours share an edge whatever the rounding of their widths.
        {"left of a neighbour", {1, 0, 1, 1}, QRect(2, 0, 1, 2)},
        {"right neighbour", {2, 0, 1, 1}, QRect(3, 0, 2, 2)},
        {"one-unit separator line", {0, 208, 313, 1}, QRect(0, 338, 470, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, MapDialogRect(c.rect, base));
    }
}

TEST(DialogUnits, BaseUnitsGrowWithTheFont)
{
    DialogTemplate small;
    small.fontPointSize = 8;
    DialogTemplate large = small;
    large.fontPointSize = 16;
    const DialogBaseUnits a = BaseUnitsOf(DialogFont(small));
    const DialogBaseUnits b = BaseUnitsOf(DialogFont(large));
    EXPECT_GT(a.cx, 0);
    EXPECT_GT(a.cy, 0);
    EXPECT_GT(b.cx, a.cx);
    EXPECT_GT(b.cy, a.cy);
    EXPECT_EQ(11, DialogFont(small).pixelSize()) << "8 point is 11 pixels at 96 dpi";
}

TEST(DialogBuilder, PlacesEveryControlByItsDialogUnitsAndNamesItById)
{
    const DialogTemplate tmpl = SampleTemplate();
    QWidget container;
    std::vector<std::pair<int, UINT>> notices;
    const auto widgets =
        DialogBuilder::Build(tmpl, &container, [&](int id, UINT code) { notices.emplace_back(id, code); });
    const DialogBaseUnits base = DialogBuilder::BaseUnitsFor(tmpl);

    ASSERT_EQ(tmpl.controls.size(), widgets.size());
    EXPECT_EQ(MapDialogSize(tmpl.cx, tmpl.cy, base), container.size());
    for (size_t i = 0; i < widgets.size(); ++i) {
        const ControlTemplate& control = tmpl.controls[i];
        SCOPED_TRACE(control.id);
        EXPECT_EQ(QString::number(control.id), widgets[i]->objectName());
        EXPECT_EQ(&container, widgets[i]->parentWidget());
        const QRect expected = MapDialogRect(control.rect, base);
        switch (control.kind) {
        case ControlKind::ComboBox:
            // The template gives the dropped-down height; the box is one line.
            EXPECT_EQ(expected.topLeft(), widgets[i]->geometry().topLeft());
            EXPECT_EQ(expected.width(), widgets[i]->width());
            EXPECT_LT(widgets[i]->height(), expected.height());
            break;
        case ControlKind::Picture:
            EXPECT_EQ(expected.topLeft(), widgets[i]->geometry().topLeft());
            break;
        case ControlKind::UpDown:
        case ControlKind::Line:
            break; // checked below and by their own tests
        default:
            if (control.id == 1098) break; // the up-down's buddy gives up its right edge
            EXPECT_EQ(expected, widgets[i]->geometry());
        }
        EXPECT_EQ(!(control.style & WS_DISABLED), widgets[i]->isEnabled());
        EXPECT_EQ(control.hidden, widgets[i]->isHidden());
    }
    EXPECT_TRUE(notices.empty()) << "building sends no notifications";
}

TEST(DialogBuilder, AlignsAnUpDownAgainstItsBuddysRightEdge)
{
    const DialogTemplate tmpl = SampleTemplate();
    QWidget container;
    DialogBuilder::Build(tmpl, &container, [](int, UINT) {});
    const DialogBaseUnits base = DialogBuilder::BaseUnitsFor(tmpl);
    QWidget* buddy = container.findChild<QWidget*>("1098");
    QWidget* updown = container.findChild<QWidget*>("1097");
    ASSERT_TRUE(buddy && updown);
    const QRect buddyTemplate = MapDialogRect({46, 98, 46, 14}, base);
    EXPECT_EQ(buddyTemplate.left(), buddy->x());
    EXPECT_EQ(buddy->geometry().right() + 1, updown->x());
    EXPECT_EQ(buddyTemplate.right(), updown->geometry().right()) << "together they fill the buddy's rectangle";
    EXPECT_EQ(MapDialogRect({92, 98, 11, 14}, base).width(), updown->width());
    EXPECT_EQ(buddy->height(), updown->height());
}

} // namespace
