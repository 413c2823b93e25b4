#include "grid_loader.h"
#include "sample_database.h"
#include "test_db.h"

#include <tavix/tavix.h>

#include <gtest/gtest.h>
#include <regex>
#include <sqlite3.h>

namespace tavix::view {
namespace {

using testing::TempDatabase;

TEST(GridLoader, SampleColumnsShowTypedFormattedCells)
{
    TempDatabase t("sample");
    SampleDatabase::Create(t.Path(), 40);
    sqlite::Database db(t.Path());
    db.Exec("CREATE TEMP VIEW one AS SELECT * FROM orders WHERE id = 27");
    Tavix grid;
    GridLoader loader(grid, db);
    loader.Load(GridLoader::TableQuery("one"), false, SampleDatabase::Decorate);
    ASSERT_FALSE(loader.IsVirtual());
    ASSERT_EQ(grid.ColCount(), 7);
    ASSERT_EQ(grid.RowCount(), 1);
    auto raw = db.Prepare("SELECT amount, order_date, status, paid FROM orders WHERE id = 27");
    ASSERT_TRUE(raw.Step());

    EXPECT_EQ(grid.CellValue(1, "id").ToLong(), 27);
    EXPECT_EQ(grid.CellValue(1, "amount").VarType(), VtCurrency);
    EXPECT_EQ(grid.CellFmtString(1, "amount"), "#,##0.00");
    EXPECT_EQ(grid.CellTextFlags(1, "amount") & (tvTextRight | tvTextCenter), tvTextRight);
    std::string shown = grid.CellText(1, "amount");
    EXPECT_TRUE(std::regex_match(shown, std::regex(R"(\d{1,3}(,\d{3})*\.\d{2})"))) << shown;
    std::erase(shown, ',');
    EXPECT_NEAR(std::stod(shown), raw.Double(0), 0.001);
    EXPECT_EQ(grid.CellText(1, "order_date"), raw.Text(1));
    EXPECT_EQ(grid.CellType(1, "paid"), tvCellCheck);
    EXPECT_EQ(grid.CellValue(1, "paid").ToBool(), raw.Int64(3) != 0);
    EXPECT_EQ(grid.CellType(1, "status"), tvCellCombo);
    EXPECT_EQ(grid.CellText(1, "status"), raw.Text(2));
    EXPECT_EQ(grid.Combos().Items("status").ListCount(), 5);

    // Loading again (a re-sort of a virtual result does) replaces the status list.
    loader.Load(GridLoader::TableQuery("one") + " ORDER BY id DESC", false, SampleDatabase::Decorate);
    EXPECT_EQ(grid.Combos().Count(), 1);
    EXPECT_EQ(grid.CellText(1, "status"), raw.Text(2));
}

TEST(GridLoader, ThousandsSeparatorsAndQuotedTableNames)
{
    TempDatabase t("money");
    auto db = t.Open();
    db.Exec("CREATE TABLE \"my \"\"table\"\"\" (amount CURRENCY, name TEXT);"
            "INSERT INTO \"my \"\"table\"\"\" VALUES (1234567.5, 'a'), (-3, NULL)");
    Tavix grid;
    GridLoader(grid, db).Load(GridLoader::TableQuery("my \"table\""));
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.CellText(1, 1), "1,234,567.50");
    EXPECT_EQ(grid.CellText(2, 1), "-3.00");
}

TEST(GridLoader, TablesAreSizedByRowidSpanQueriesByReading)
{
    TempDatabase t("sizing");
    auto db = t.Open();
    db.Exec("CREATE TABLE t (id INTEGER PRIMARY KEY, s TEXT);"
            "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 10) INSERT INTO t SELECT i, 'x' "
            "FROM c;"
            "CREATE VIEW v AS SELECT * FROM t; CREATE TABLE empty (a)");
    Tavix grid;
    GridLoader loader(grid, db);
    loader.LoadTable("t");
    EXPECT_FALSE(loader.IsVirtual());
    EXPECT_EQ(grid.RowCount(), 10);
    loader.LoadTable("empty");
    EXPECT_FALSE(loader.IsVirtual());
    EXPECT_EQ(grid.ColCount(), 1);
    EXPECT_EQ(grid.RowCount(), 0);

    // A wide rowid span opens in virtual mode even when few rows fill it; the view is read.
    db.Exec("INSERT INTO t VALUES (60000, 'far')");
    loader.LoadTable("t");
    EXPECT_TRUE(loader.IsVirtual());
    loader.LoadTable("v");
    EXPECT_FALSE(loader.IsVirtual());
    EXPECT_FALSE(grid.Virtual());
    EXPECT_EQ(grid.RowCount(), 11);
}

TEST(GridLoader, NullsShowAsGreyNullAndSortFirst)
{
    TempDatabase t("nulls");
    auto db = t.Open();
    db.Exec("CREATE TABLE t (n INTEGER, s TEXT, b BOOLEAN, d DATE);"
            "INSERT INTO t VALUES (2, 'b', 1, '2024-01-02'), (NULL, NULL, NULL, NULL), (1, '', 0, '2024-01-01')");
    Tavix grid;
    GridLoader(grid, db).LoadTable("t");
    for (int32_t c = 1; c <= 4; ++c) {
        EXPECT_EQ(grid.CellText(2, c), "NULL") << c;
        EXPECT_NE(grid.CellForeColor(2, c), grid.CellForeColor(1, c)) << c;
    }
    EXPECT_EQ(grid.CellType(2, "b"), tvCellText);  // not an unchecked box
    EXPECT_EQ(grid.CellText(3, "s"), "");
    EXPECT_EQ(grid.CellText(3, "d"), "2024-01-01");
    grid.Sort(GridVariant("n"));
    EXPECT_TRUE(grid.CellValue(1, "n").IsNull());
    EXPECT_EQ(grid.CellValue(2, "n").ToLong(), 1);
}

// Counts the rows SQLite hands out, to tell how often a query ran and how far it was read.
void CountRow(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    ++*static_cast<int*>(sqlite3_user_data(ctx));
    sqlite3_result_value(ctx, argv[0]);
}

TEST(GridLoader, AQueryRunsOnceAndRepeatedNamesGetColumnsOfTheirOwn)
{
    TempDatabase t("once");
    auto db = t.Open();
    db.Exec(
        "CREATE TABLE n (v INTEGER);"
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 300) INSERT INTO n SELECT i FROM c");
    int handedOut = 0;
    sqlite3_create_function(db.Handle(), "counted", 1, SQLITE_UTF8, &handedOut, CountRow, nullptr, nullptr);
    Tavix grid;
    GridLoader(grid, db).Load("SELECT counted(a.v) AS v, b.v * 2 AS v FROM n a JOIN n b USING (v) ORDER BY 1 DESC;");
    EXPECT_EQ(handedOut, 300);
    ASSERT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.ColKey(2), "v:2");
    EXPECT_EQ(grid.ColHeaderText(2), "v");
    EXPECT_EQ(grid.CellValue(1, "v:2").ToLong(), 600);
}

TEST(VirtualRowSource, ReadsOneRowPerRequestAfterTheSampleAndStopsAtTheEnd)
{
    TempDatabase t("virtual");
    auto db = t.Open();
    db.Exec(
        "CREATE TABLE n (v INTEGER);"
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 500) INSERT INTO n SELECT i FROM c");
    int handedOut = 0;
    sqlite3_create_function(db.Handle(), "counted", 1, SQLITE_UTF8, &handedOut, CountRow, nullptr, nullptr);
    Tavix grid;
    grid.AddCol(AddColArgs { .sKey = "v" });
    const int32_t limit = 150;
    VirtualRowSource source(grid,
        sqlite::Recordset::Open(db, "SELECT counted(v) AS v FROM n LIMIT " + std::to_string(limit),
            sqlite::Recordset::CursorType::ForwardOnly));
    EXPECT_EQ(handedOut, sqlite::Recordset::kTypeSampleRows);

    // Plays the grid's side: request, append, fill, until the source says there are no more.
    int32_t row = 1;
    for (bool stop = false;; ++row) {
        source.RequestRow(row, stop);
        if (stop)
            break;
        EXPECT_EQ(handedOut, std::max(row, sqlite::Recordset::kTypeSampleRows));
        grid.AddRow();
        source.RequestRowData(row);
    }
    EXPECT_EQ(row, limit + 1);
    EXPECT_EQ(grid.CellValue(limit, 1).ToLong(), limit);
    // Asked again after the end, it answers the same without running the query again.
    bool stop = false;
    source.RequestRow(row, stop);
    EXPECT_TRUE(stop);
    EXPECT_EQ(handedOut, limit);
}

}  // namespace
}  // namespace tavix::view
