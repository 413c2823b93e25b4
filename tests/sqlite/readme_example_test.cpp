// The README's SQLite example must keep working as written.
#include <tavix/sqlite/recordset.h>
#include <tavix/tavix.h>

#include <filesystem>
#include <gtest/gtest.h>

TEST(ReadmeExample, FillsAGridFromAQuery)
{
    const auto dir = std::filesystem::path(TAVIX_TEST_OUTPUT_DIR) / "sqlite";
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / "shop.db");
    tavix::sqlite::Database((dir / "shop.db").string(), tavix::sqlite::Database::Mode::ReadWriteCreate)
        .Exec("CREATE TABLE orders (id INTEGER, customer TEXT, amount REAL, paid BOOLEAN);"
              "INSERT INTO orders VALUES (1, 'Ada', 12.5, 1), (2, 'Bruno', 7, 0)");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir);

    tavix::sqlite::Database db("shop.db");
    tavix::Tavix grid;
    grid.FillFromRS(tavix::sqlite::Recordset::Open(db, "SELECT id, customer, amount FROM orders"));
    std::string first = grid.CellText(1, "customer");
    std::filesystem::current_path(cwd);

    EXPECT_EQ(first, "Ada");
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.CellValue(2, "amount").ToDouble(), 7.0);
}
