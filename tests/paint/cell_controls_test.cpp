#include <gtest/gtest.h>

#include "canvas.h"
#include "paint/cell_controls.h"
#include "paint/control_strips.h"

using namespace tavix;
using native::Rect;
using test::Canvas;

TEST(CheckBoxRect, NarrowCellGetsSquareBoxAsWideAsInnerWidth)
{
    // Inner rect (11, 21, 20, 48): 9 wide, top-aligned, square.
    EXPECT_EQ(CheckBoxRect({ 10, 20, 22, 50 }, 16), (Rect { 11, 21, 20, 30 }));
}

TEST(CheckBoxRect, WideCellCentresWithHalvesToEven)
{
    // Inner (1, 1, 38, 18): (1 + 38 - 16) / 2 = 11.5 -> 12.
    EXPECT_EQ(CheckBoxRect({ 0, 0, 40, 20 }, 16), (Rect { 12, 1, 28, 17 }));
    // Inner (1, 1, 40, 18): (1 + 40 - 16) / 2 = 12.5 -> 12.
    EXPECT_EQ(CheckBoxRect({ 0, 0, 42, 20 }, 16), (Rect { 12, 1, 28, 17 }));
    // Inner (1, 1, 36, 18): exact 10.5 -> 10.
    EXPECT_EQ(CheckBoxRect({ 0, 0, 38, 20 }, 16), (Rect { 10, 1, 26, 17 }));
}

TEST(CheckBoxRect, TallCellIsTopAlignedAndShortCellIsSquare)
{
    EXPECT_EQ(CheckBoxRect({ 0, 0, 19, 60 }, 16), (Rect { 1, 1, 17, 17 }));
    // 9 high: re-centred square inside the centred box (12..28): 15.5 -> 16.
    EXPECT_EQ(CheckBoxRect({ 0, 0, 40, 12 }, 16), (Rect { 16, 1, 25, 10 }));
    // A smaller themed box is used as given.
    EXPECT_EQ(CheckBoxRect({ 0, 0, 40, 40 }, 13), (Rect { 13, 1, 26, 14 }));
}

TEST(ComboButtonRect, ShapesByCellSize)
{
    EXPECT_EQ(ComboButtonRect({ 0, 0, 100, 40 }), (Rect { 82, 1, 98, 17 }));
    // 12 high: inner 9 high, button 9 wide at the right edge.
    EXPECT_EQ(ComboButtonRect({ 0, 0, 100, 12 }), (Rect { 89, 1, 98, 10 }));
    // Narrow and tall: inner 7 wide, button 7 high at the top.
    EXPECT_EQ(ComboButtonRect({ 0, 0, 10, 40 }), (Rect { 1, 1, 8, 8 }));
    // Exactly 16 inner high but wide: the height rule, not the corner rule.
    EXPECT_EQ(ComboButtonRect({ 0, 0, 100, 19 }), (Rect { 82, 1, 98, 17 }));
}

TEST(ControlSlots, EveryStateFlatHotCombination)
{
    // Index: state * 4 + flat * 2 + hot.
    const int classic[] = { 0, 0, 3, 3, 1, 1, 4, 4, 2, 2, 5, 5 };
    const int themed[] = { 0, 6, 0, 6, 1, 7, 1, 7, 2, 8, 2, 8 };
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(CheckBoxSlot(i / 4, i & 2, i & 1, false), classic[i]) << i;
        EXPECT_EQ(CheckBoxSlot(i / 4, i & 2, i & 1, true), themed[i]) << i;
    }
    // Index: pressed * 4 + flat * 2 + hot.
    const int comboClassic[] = { 0, 0, 2, 2, 1, 1, 3, 3 };
    const int comboThemed[] = { 0, 4, 0, 4, 1, 4, 1, 4 };
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ComboButtonSlot(i & 4, i & 2, i & 1, false), comboClassic[i]) << i;
        EXPECT_EQ(ComboButtonSlot(i & 4, i & 2, i & 1, true), comboThemed[i]) << i;
    }
}

TEST(ControlStrips, CheckStatesDrawDistinctImagesInsideTheBox)
{
    UxTheme theme;
    ControlStrips strips(theme);
    Canvas c(80, 20);
    const Rect boxes[] = { { 0, 0, 16, 16 }, { 20, 0, 36, 16 }, { 40, 0, 56, 16 } };
    for (int state = 0; state < 3; ++state)
        strips.DrawCheckBox(c.dc, boxes[state], state, false, false);
    const auto unchecked = c.Pixels(boxes[0]);
    const auto checked = c.Pixels(boxes[1]);
    const auto mixed = c.Pixels(boxes[2]);
    EXPECT_NE(unchecked, checked);
    EXPECT_NE(checked, mixed);
    EXPECT_NE(unchecked, mixed);
    // Nothing outside the copied squares.
    EXPECT_EQ(c.Pixels({ 0, 16, 80, 20 }), std::vector<native::COLORREF>(80 * 4, Canvas::kWhite));
}

TEST(ControlStrips, SmallBoxesStayInsideAndDiscardRedraws)
{
    UxTheme theme;
    ControlStrips strips(theme);
    Canvas c(60, 20);
    strips.DrawCheckBox(c.dc, { 40, 2, 49, 11 }, 1, false, false);
    const Rect ink = c.Ink();
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.left, 40);
    EXPECT_LE(ink.right, 49);
    EXPECT_GE(ink.top, 2);
    EXPECT_LE(ink.bottom, 11);
    EXPECT_TRUE(strips.HasCheckBoxStrip(9));
    strips.Discard();
    EXPECT_FALSE(strips.HasCheckBoxStrip(9));
    EXPECT_FALSE(strips.HasCheckBoxStrip(16));
    // Redrawn on next use, identical to before.
    const auto before = c.Pixels({ 40, 2, 49, 11 });
    strips.DrawCheckBox(c.dc, { 40, 2, 49, 11 }, 1, false, false);
    EXPECT_EQ(c.Pixels({ 40, 2, 49, 11 }), before);
}

TEST(ControlStrips, ComboButtonPressedDiffersAndOversizeIsIgnored)
{
    UxTheme theme;
    ControlStrips strips(theme);
    Canvas c(60, 40);
    strips.DrawComboButton(c.dc, { 0, 0, 16, 16 }, false, false, false);
    strips.DrawComboButton(c.dc, { 20, 0, 36, 16 }, true, false, false);
    EXPECT_NE(c.Pixels({ 0, 0, 16, 16 }), c.Pixels({ 20, 0, 36, 16 }));
    c.Clear();
    strips.DrawComboButton(c.dc, { 0, 0, 20, 20 }, false, false, false);
    strips.DrawCheckBox(c.dc, { 0, 20, 0, 20 }, 0, false, false);
    EXPECT_TRUE(c.Ink().IsEmpty());
}
