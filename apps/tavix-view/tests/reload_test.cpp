#include "grid_loader.h"
#include "test_db.h"
#include "viewer_events.h"

#include <tavix/native/desktop.h>
#include <tavix/native/window_paint.h>
#include <tavix/tavix.h>

#include <gtest/gtest.h>

namespace tavix::view {
namespace {

TEST(GridLoaderInWindow, VirtualReloadRequestsRowsAgain)
{
    testing::TempDatabase t("reload");
    auto db = t.Open();
    db.Exec(
        "CREATE TABLE n (v INTEGER);"
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 3000) INSERT INTO n SELECT i FROM c");
    native::Desktop desktop(400, 300);
    Tavix grid;
    GridLoader loader(grid, db);
    ViewerEvents events;
    events.SetLoader(&loader);
    grid.SetEventSink(&events);
    native::RegisterClass("ReloadTestFrame", native::DefWindowProc);
    native::HWND frame = native::CreateWindowEx(0, "ReloadTestFrame", "", native::WS_VISIBLE, 0, 0, 400, 300, 0);
    grid.Create(frame, 0, 0, 400, 300);
    loader.Load("SELECT * FROM n", true);
    desktop.Frame();
    const int32_t firstPage = grid.RowCount();
    EXPECT_GT(firstPage, 5);
    EXPECT_LT(firstPage, 40);
    native::SetFocus(grid.hwnd());
    desktop.KeyDown(native::VK_DOWN);
    for (int i = 0; i < 3; ++i)
        desktop.KeyDown(native::VK_NEXT);
    desktop.Frame();
    EXPECT_GT(grid.RowCount(), firstPage * 2);
    int32_t r0 = 0, c0 = 0, x0 = 0, y0 = 0, r1 = 0, c1 = 0, x1 = 0, y1 = 0;
    grid.GetStartEndCell(r0, c0, x0, y0, r1, c1, x1, y1);  // leaves a cached range behind, as a caller may

    // Twice: the second reload starts from a view at the top, as after a sort.
    for (const char* order : { "DESC", "ASC" }) {
        loader.Load(std::string("SELECT * FROM n ORDER BY v ") + order, true);
        desktop.Frame();
        EXPECT_EQ(grid.RowCount(), firstPage) << order;
        EXPECT_EQ(grid.CellValue(1, 1).ToLong(), order[0] == 'D' ? 3000 : 1);
    }
}

TEST(ViewerEvents, HeaderClicksInVirtualModeGoToTheDatabase)
{
    testing::TempDatabase t("header");
    auto db = t.Open();
    db.Exec("CREATE TABLE n (v INTEGER); INSERT INTO n VALUES (1), (2)");
    Tavix grid;
    GridLoader loader(grid, db);
    ViewerEvents events;
    events.SetLoader(&loader);
    std::vector<std::pair<int32_t, bool>> sorts;
    events.SetVirtualSortHandler([&](int32_t col, bool add) { sorts.emplace_back(col, add); });

    loader.Load("SELECT * FROM n");
    bool doDefault = true;
    events.ColHeaderClick(1, doDefault, 0, 0, 0);
    EXPECT_TRUE(doDefault);  // all rows are in the grid: its own sort does it
    loader.Load("SELECT * FROM n", true);
    events.ColHeaderClick(1, doDefault, 1, 0, 0);
    EXPECT_FALSE(doDefault);
    EXPECT_EQ(sorts, (std::vector<std::pair<int32_t, bool>> { { 1, true } }));
}

}  // namespace
}  // namespace tavix::view
