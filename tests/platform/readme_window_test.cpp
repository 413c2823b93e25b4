// The README's grid-in-a-window example must keep working as written.
#include <gtest/gtest.h>
#include <tavix/native/desktop.h>
#include <tavix/tavix.h>

#include <filesystem>

TEST(ReadmeExample, PaintsAGridOnAHeadlessDesktopAndSavesAScreenshot)
{
    const std::string path = std::string(TAVIX_TEST_OUTPUT_DIR) + "/readme-grid.png";
    std::filesystem::create_directories(TAVIX_TEST_OUTPUT_DIR);
    std::filesystem::remove(path);

    tavix::native::Desktop desktop(480, 240);  // a headless screen
    tavix::Tavix grid;
    grid.AddCol(tavix::AddColArgs { .sKey = "name", .sHeader = "Name", .lWidth = 200 });
    grid.AddCol(tavix::AddColArgs { .sKey = "amount", .lWidth = 120 });
    grid.ColDefaultCell("amount").SetsFmtString("#,##0.00");
    grid.ColDefaultCell("amount").eTextFlags |= tavix::tvTextRight;
    for (int i = 1; i <= 20; ++i) {
        grid.AddRow();
        grid.SetCellValue(i, "name", "Customer " + std::to_string(i));
        grid.SetCellValue(i, "amount", i * 1234.5);
    }
    grid.Create(0, 0, 0, 480, 240);  // the grid's own window, painted
    desktop.Screenshot(path);

    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(grid.VScrollBar().Visible());
    EXPECT_EQ(grid.CellText(20, "amount"), "24,690.00");
}
