#include "layout_store.h"

#include <tavix/grid.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace tavix::view {
namespace {

namespace fs = std::filesystem;

void AddColumns(Tavix& g, std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        g.AddCol(key);
    for (int r = 0; r < 3; ++r)
        g.AddRow();
}

TEST(LayoutStore, RestoresTheSameResultAndDropsAStaleOne)
{
    const fs::path dir = fs::path(TAVIX_TEST_OUTPUT_DIR) / "layout_store";
    fs::remove_all(dir);
    const LayoutStore store(dir.string(), "/data/shop.db", "query:SELECT a,\nb FROM t");

    Tavix saved;
    AddColumns(saved, { "a", "b", "c" });
    saved.SetColOrder(3, 1);
    saved.SetColWidth(2, 33);
    saved.SetColSortKey(2, 1);
    saved.SetColSortOrder(2, tvSortDesc);
    store.Save(saved);

    Tavix same;
    AddColumns(same, { "a", "b", "c" });
    store.Restore(same, true);
    EXPECT_EQ(same.LayoutCol(), saved.LayoutCol());
    EXPECT_EQ(same.LayoutSort(), saved.LayoutSort());

    Tavix columnsOnly;
    AddColumns(columnsOnly, { "a", "b", "c" });
    store.Restore(columnsOnly, false);
    EXPECT_EQ(columnsOnly.LayoutCol(), saved.LayoutCol());
    EXPECT_EQ(columnsOnly.LayoutSort(), "");

    Tavix changed;
    AddColumns(changed, { "a", "b", "d" });
    const std::string before = changed.LayoutCol();
    testing::internal::CaptureStderr();
    store.Restore(changed, true);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("dropped"), std::string::npos);
    EXPECT_EQ(changed.LayoutCol(), before);

    // Another table of the same file has a layout of its own.
    Tavix other, plain;
    AddColumns(other, { "a", "b", "c" });
    AddColumns(plain, { "a", "b", "c" });
    LayoutStore(dir.string(), "/data/shop.db", "table:t").Restore(other, true);
    EXPECT_EQ(other.LayoutCol(), plain.LayoutCol());
}

}  // namespace
}  // namespace tavix::view
