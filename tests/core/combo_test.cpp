#include "grid_test_util.h"

#include <tavix/combos.h>
#include <tavix/dispatch.h>

namespace tavix {
namespace {

using test::ErrorOf;

TEST(ComboLists, ItemsAndArgumentChecks)
{
    Tavix g;
    ComboObject& list = g.Combos().Add("Colours");
    list.AddItem("red");
    list.AddItem("green", GridVariant(int32_t { 2 }), 4);
    list.AddItem("first", GridVariant(int32_t { 9 }), -1, 0);
    EXPECT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.ItemText(0), "first");
    EXPECT_EQ(list.ItemValue(1).AsString(), "red");  // no value: the text stands in
    EXPECT_EQ(list.ValueIndex(GridVariant(int32_t { 2 })), 2);
    EXPECT_EQ(list.ValueIndex(GridVariant(int32_t { 3 })), -1);
    EXPECT_EQ(list.MaxHeightInItems(), 8);
    EXPECT_EQ(list.Width(), 120);

    EXPECT_EQ(ErrorOf([&] { list.RemoveItem(list.ListCount()); }), tvErrSubscript);
    EXPECT_EQ(ErrorOf([&] { list.SetMaxHeightInItems(0); }), tvErrInvalidArgument);
    list.RemoveItem(0);
    EXPECT_EQ(list.ItemText(0), "red");
}

TEST(ComboLists, KeysAndSlots)
{
    Tavix g;
    CombosObject& combos = g.Combos();
    combos.Add("a");
    combos.Add("b");
    EXPECT_EQ(ErrorOf([&] { combos.Add("A"); }), tvErrDuplicateKey);
    EXPECT_EQ(ErrorOf([&] { combos.Remove(GridVariant("zz")); }), tvErrInvalidArgument);
    EXPECT_EQ(&combos.Items(GridVariant("B")), &combos.Items(GridVariant(int32_t { 2 })));

    combos.Remove(GridVariant("a"));
    EXPECT_EQ(combos.Count(), 1);
    combos.Add("c");
    EXPECT_EQ(combos.SlotOfKey("c"), 1);  // the freed slot is reused
    EXPECT_EQ(combos.SlotOfKey("C"), 0);  // cells bind by exact key
}

TEST(ComboCells, MatchingTextAndIcon)
{
    Tavix g;
    test::Fill(g, 2, 0);
    ComboObject& list = g.Combos().Add("L");
    list.AddItem("five", GridVariant(int32_t { 5 }), 3);
    auto object = std::make_shared<DispatchObject>();
    list.AddItem("obj", GridVariant(std::shared_ptr<Dispatch>(object)), 7);
    // A combo default cell binds the cells of new rows, matched at once.
    CellObject& d = g.ColDefaultCell(1);
    d.SeteType(tvCellCombo);
    d.SetsCtrlKey("L");
    d.SetvValue(GridVariant(int32_t { 5 }));
    g.AddRow();
    EXPECT_EQ(g.CellCtrlKey(1, 1), "L");
    EXPECT_EQ(g.CellText(1, 1), "five");
    g.SetCellValue(1, 1, GridVariant(std::shared_ptr<Dispatch>(object)));
    EXPECT_EQ(g.CellText(1, 1), "obj");
    EXPECT_EQ(g.CellIcon(1, 1), 7);
    g.SetCellValue(1, 1, GridVariant(std::shared_ptr<Dispatch>(std::make_shared<DispatchObject>())));
    EXPECT_EQ(g.CellIcon(1, 1), -1);  // another object never matches
    g.SetCellValue(1, 1, GridVariant(int32_t { 6 }));
    EXPECT_EQ(g.CellText(1, 1), "");

    g.SetCellValue(1, 2, GridVariant(int32_t { 5 }));
    g.SetCellCtrlKey(1, 2, "L");  // text cell: ignored
    EXPECT_EQ(g.CellCtrlKey(1, 2), "");
    EXPECT_EQ(g.CellText(1, 2), "5");
    g.SetCellType(1, 2, tvCellCombo);
    g.SetCellCtrlKey(1, 2, "L");
    EXPECT_EQ(g.CellText(1, 2), "five");
}

}  // namespace
}  // namespace tavix
