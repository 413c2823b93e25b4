#include <gtest/gtest.h>

#include "canvas.h"
#include "paint/cell_controls.h"
#include "paint/control_strips.h"

using namespace tavix;
using native::Rect;
using test::Canvas;

TEST(ControlRects, CheckBoxesAndComboButtonsByCellSize)
{
    const struct {
        const char* what;
        Rect cell;
        int32_t size;
        Rect box;
    } boxes[] = {
        // Inner rect (11, 21, 20, 48): 9 wide, top-aligned, square.
        { "narrow: as wide as the inner width", { 10, 20, 22, 50 }, 16, { 11, 21, 20, 30 } },
        // Inner (1, 1, 38, 18): (1 + 38 - 16) / 2 = 11.5 -> 12; inner (1, 1, 36, 18): 10.5 -> 10.
        { "wide: centred, halves to even", { 0, 0, 40, 20 }, 16, { 12, 1, 28, 17 } },
        { "10.5 rounds to 10", { 0, 0, 38, 20 }, 16, { 10, 1, 26, 17 } },
        { "tall: top-aligned", { 0, 0, 19, 60 }, 16, { 1, 1, 17, 17 } },
        // 9 high: re-centred square inside the centred box (12..28): 15.5 -> 16.
        { "short: a smaller square", { 0, 0, 40, 12 }, 16, { 16, 1, 25, 10 } },
        { "a smaller themed box as given", { 0, 0, 40, 40 }, 13, { 13, 1, 26, 14 } },
    };
    for (const auto& c : boxes)
        EXPECT_EQ(CheckBoxRect(c.cell, c.size), c.box) << c.what;

    EXPECT_EQ(ComboButtonRect({ 0, 0, 100, 40 }), (Rect { 82, 1, 98, 17 }));
    // 12 high: inner 9 high, button 9 wide at the right edge.
    EXPECT_EQ(ComboButtonRect({ 0, 0, 100, 12 }), (Rect { 89, 1, 98, 10 }));
    // Narrow and tall: inner 7 wide, button 7 high at the top.
    EXPECT_EQ(ComboButtonRect({ 0, 0, 10, 40 }), (Rect { 1, 1, 8, 8 }));
    // Exactly 16 inner high but wide: the height rule, not the corner rule.
    EXPECT_EQ(ComboButtonRect({ 0, 0, 100, 19 }), (Rect { 82, 1, 98, 17 }));
}

TEST(ControlStrips, CheckStatesDrawDistinctImagesInsideTheirBoxesAndDiscardRedraws)
{
    UxTheme theme;
    ControlStrips strips(theme);
    Canvas c(80, 20);
    const Rect boxes[] = { { 0, 0, 16, 16 }, { 20, 0, 36, 16 }, { 40, 0, 56, 16 } };
    for (int state = 0; state < 3; ++state)
        strips.DrawCheckBox(c.dc, boxes[state], state, false, false);
    EXPECT_NE(c.Pixels(boxes[0]), c.Pixels(boxes[1]));
    EXPECT_NE(c.Pixels(boxes[1]), c.Pixels(boxes[2]));
    EXPECT_NE(c.Pixels(boxes[0]), c.Pixels(boxes[2]));
    const Rect small { 62, 2, 71, 11 };
    strips.DrawCheckBox(c.dc, small, 1, false, false);
    const auto drawn = c.Pixels(small);
    EXPECT_NE(drawn, std::vector<native::COLORREF>(81, Canvas::kWhite));
    // Nothing outside the boxes, however small.
    const native::UniqueGdiObject white(native::CreateSolidBrush(Canvas::kWhite));
    for (const Rect& r : { boxes[0], boxes[1], boxes[2], small })
        native::FillRect(c.dc, r, white);
    EXPECT_TRUE(c.Ink().IsEmpty());

    EXPECT_TRUE(strips.HasCheckBoxStrip(9));
    strips.Discard();
    EXPECT_FALSE(strips.HasCheckBoxStrip(9));
    EXPECT_FALSE(strips.HasCheckBoxStrip(16));
    strips.DrawCheckBox(c.dc, small, 1, false, false);
    EXPECT_EQ(c.Pixels(small), drawn) << "redrawn alike on next use";
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
