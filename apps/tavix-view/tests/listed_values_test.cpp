#include "grid_loader.h"
#include "listed_values.h"
#include "test_db.h"

#include <tavix/tavix.h>

#include <gtest/gtest.h>

namespace tavix::view {
namespace {

using Values = std::vector<std::string>;

TEST(ListedValues, OnlyPlainInListsOfLiteralsAreRead)
{
    const ListedValues lists
        = ListedValuesOf("CREATE TABLE t ( -- a comment (with a paren\n"
                         "  \"Status\" TEXT CHECK (status IN ('open', 'it''s', 'open') OR STATUS IS NULL),\n"
                         "  [kind] TEXT, `grade` TEXT /* CHECK (grade IN ('x')) */,\n"
                         "  n INTEGER CHECK (n IN ('1', 2)), m TEXT CHECK (m NOT IN ('a')),\n"
                         "  f TEXT CHECK (lower(f) IN ('a')), g TEXT CHECK (g IN ('a') AND g <> ''),\n"
                         "  CONSTRAINT k CHECK ( kind in ( 'a' , 'b' , 'c' ) ), CHECK (kind IN ('b', 'c', 'd')))");
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists.at("STATUS"), (Values { "open", "it's" }));
    EXPECT_EQ(lists.at("kind"), (Values { "b", "c" })) << "two lists allow what both allow";
    EXPECT_TRUE(ListedValuesOf("CREATE TABLE t (s TEXT CHECK (s IN ('a')), x DEFAULT 'open").empty())
        << "an unclosed quote leaves nothing to trust";
}

TEST(ListedValues, ATextColumnWithAListLoadsAsAComboOfIt)
{
    testing::TempDatabase t("listed");
    auto db = t.Open();
    db.Exec("CREATE TABLE Items (name TEXT, status TEXT CHECK (status IN ('open', 'paid', 'void')),"
            " n INTEGER CHECK (n IN ('1', '2')));"
            "INSERT INTO items VALUES ('a', 'paid', 1)");
    Tavix grid;
    const ListedValues lists = ListedValuesOf(db, "items");
    GridLoader(grid, db).LoadTable("items", false, [&](std::vector<ColumnInfo>& c) { ShowListsAsCombos(c, lists); });
    EXPECT_EQ(grid.CellType(1, "n"), tvCellText) << "a list on a column of numbers";
    ASSERT_EQ(grid.CellType(1, "status"), tvCellCombo);
    EXPECT_EQ(grid.CellText(1, "status"), "paid");
    const ComboObject& list = grid.Combos().Items("status");
    EXPECT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.ItemIcon(0), -1);
    EXPECT_TRUE(ListedValuesOf(db, "no_such_table").empty());
}

}  // namespace
}  // namespace tavix::view
