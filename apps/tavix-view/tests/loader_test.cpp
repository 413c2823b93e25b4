#include "cell_value_reader.h"
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

TEST(ColumnKinds, FollowDeclaredTypesThenFirstValue)
{
    using S = SqliteStatement::Storage;
    struct Case {
        const char* declared;
        S first;
        ColumnKind kind;
    };
    const Case cases[] = {
        { "INTEGER", S::Text, ColumnKind::Integer },
        { "bigint", S::Null, ColumnKind::Integer },
        { "BOOLEAN", S::Integer, ColumnKind::Boolean },
        { "DATETIME", S::Text, ColumnKind::Date },
        { "NUMERIC(10,2)", S::Real, ColumnKind::Currency },
        { "CURRENCY", S::Real, ColumnKind::Currency },
        { "DOUBLE PRECISION", S::Real, ColumnKind::Real },
        { "VARCHAR(20)", S::Integer, ColumnKind::Text },
        { "", S::Integer, ColumnKind::Integer },
        { "", S::Real, ColumnKind::Real },
        { "", S::Null, ColumnKind::Text },
    };
    for (const auto& c : cases)
        EXPECT_EQ(KindOf(c.declared, c.first), c.kind) << c.declared;
}

TEST(CellValues, IsoDatesAndJulianDays)
{
    EXPECT_EQ(ParseIsoDate("1899-12-30"), 0.0);
    EXPECT_EQ(ParseIsoDate("2024-02-29"), 45351.0);
    EXPECT_EQ(ParseIsoDate("2024-03-01T12:00"), 45352.5);
    EXPECT_EQ(ParseIsoDate("2024-03-01 06:00:00"), 45352.25);
    for (const char* bad : { "2023-02-29", "2024-13-01", "2024-1-01", "24-01-01", "2024-01-01 25:00", "2024-01-01x" })
        EXPECT_FALSE(ParseIsoDate(bad)) << bad;

    TempDatabase t("values");
    auto db = t.Open();
    auto s = db.Prepare("SELECT julianday('2024-02-29'), '2024-02-30', 5000000000, NULL, 'x', 0.5");
    ASSERT_TRUE(s.Step());
    EXPECT_EQ(ReadCell(s, 0, ColumnKind::Date).VarType(), VtDate);
    EXPECT_DOUBLE_EQ(ReadCell(s, 0, ColumnKind::Date).AsDate(), 45351.0);
    // A value that does not fit its column shows its text rather than vanishing.
    EXPECT_EQ(ReadCell(s, 1, ColumnKind::Date).ToString(), "2024-02-30");
    EXPECT_EQ(ReadCell(s, 2, ColumnKind::Integer).VarType(), VtDouble);
    EXPECT_TRUE(ReadCell(s, 3, ColumnKind::Text).IsNull());
    EXPECT_EQ(ReadCell(s, 3, ColumnKind::Boolean).ToLong(), 0);
    EXPECT_EQ(ReadCell(s, 4, ColumnKind::Currency).ToString(), "x");
    EXPECT_EQ(ReadCell(s, 5, ColumnKind::Boolean).ToLong(), 1);
}

TEST(GridLoader, SampleColumnsShowTypedFormattedCells)
{
    TempDatabase t("sample");
    SampleDatabase::Create(t.Path(), 40);
    SqliteDatabase db(t.Path());
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
    EXPECT_EQ(grid.CellValue(1, "paid").ToLong(), raw.Int64(3));
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
    EXPECT_EQ(grid.CellText(2, 2), "");
}

TEST(GridLoader, TablesAreSizedByRowidSpanViewsByStepping)
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

    // A wide rowid span opens in virtual mode even when few rows fill it; the view is counted.
    db.Exec("INSERT INTO t VALUES (60000, 'far')");
    loader.LoadTable("t");
    EXPECT_TRUE(loader.IsVirtual());
    loader.LoadTable("v");
    EXPECT_FALSE(loader.IsVirtual());
    EXPECT_FALSE(grid.Virtual());
    EXPECT_EQ(grid.RowCount(), 11);
}

// Counts the rows SQLite hands out, to prove the virtual source reads only what is asked.
void CountRow(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    ++*static_cast<int*>(sqlite3_user_data(ctx));
    sqlite3_result_value(ctx, argv[0]);
}

TEST(VirtualRowSource, ReadsOneRowPerRequestAndStopsAtTheEnd)
{
    TempDatabase t("virtual");
    auto db = t.Open();
    db.Exec(
        "CREATE TABLE n (v INTEGER);"
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 100) INSERT INTO n SELECT i FROM c");
    int handedOut = 0;
    sqlite3_create_function(db.Handle(), "counted", 1, SQLITE_UTF8, &handedOut, CountRow, nullptr, nullptr);
    auto stmt = db.Prepare("SELECT counted(v) AS v FROM n WHERE v > 97");
    Tavix grid;
    grid.AddCol(AddColArgs { .sKey = "v" });
    VirtualRowSource source(grid, std::move(stmt), { InfoFor("v", ColumnKind::Integer) }, false);

    // Plays the grid's side: request, append, fill, for rows 1..4.
    std::vector<bool> noMore;
    for (int32_t row = 1; row <= 4; ++row) {
        bool stop = false;
        source.RequestRow(row, stop);
        noMore.push_back(stop);
        if (stop)
            break;
        EXPECT_EQ(handedOut, row);
        grid.AddRow();
        source.RequestRowData(row);
    }
    EXPECT_EQ(noMore, (std::vector<bool> { false, false, false, true }));
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.CellValue(3, 1).ToLong(), 100);
    EXPECT_TRUE(source.Exhausted());
    // Asked again after the end, it answers the same without restarting the statement.
    bool stop = false;
    source.RequestRow(4, stop);
    EXPECT_TRUE(stop);
    EXPECT_EQ(handedOut, 3);
}

}  // namespace
}  // namespace tavix::view
