#include <tavix/sqlite/recordset.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace tavix::sqlite {
namespace {

using Cursor = Recordset::CursorType;

class RecordsetTest : public ::testing::Test {
protected:
    Database db_ { ":memory:", Database::Mode::ReadWriteCreate };
    // Rows SQLite has handed out through counted(x), to tell how often a query ran.
    int handedOut_ { 0 };

    void SetUp() override
    {
        sqlite3_create_function(
            db_.Handle(), "counted", 1, SQLITE_UTF8, &handedOut_,
            [](sqlite3_context* ctx, int, sqlite3_value** argv) {
                ++*static_cast<int*>(sqlite3_user_data(ctx));
                sqlite3_result_value(ctx, argv[0]);
            },
            nullptr, nullptr);
    }
};

TEST_F(RecordsetTest, FieldTypesFollowDeclaredTypesAndTheSampledValues)
{
    // The wide integer and the real sit in later rows: the first row alone would not show them.
    db_.Exec(
        "CREATE TABLE t (i INTEGER, w BIGINT, n NUMERIC(30,2), r REAL, b BOOLEAN, d DATE, dt DATETIME,"
        " ts TIMESTAMP, v VARCHAR(10), bl BLOB, m CURRENCY, s STRING, words INTEGER);"
        "INSERT INTO t VALUES (1, 1, 1, 1, 1, '2024-01-01', 1, 1, 1, x'00', 1, 1, 1);"
        "INSERT INTO t VALUES (NULL, 4294967296, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 2.5, 'n/a');"
        "INSERT INTO t VALUES (2147483647, -1, 2, 2, 0, NULL, NULL, NULL, 'x', NULL, 2, NULL, -2147483648)");
    auto rs = Recordset::Open(db_, "SELECT *, i * 2 AS e1, 'x' || i AS e2, NULL AS e3, r / 3 AS e4 FROM t");
    using T = FieldType;
    const std::vector<T> expected { T::Long, T::Decimal, T::Decimal, T::Double, T::Boolean, T::Date, T::Date, T::Date,
        T::Text, T::Text, T::Currency, T::Double, T::Long, T::Decimal, T::Text, T::Text, T::Double };
    ASSERT_EQ(rs->FieldCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < rs->FieldCount(); ++i)
        EXPECT_EQ(rs->Field(i).type, expected[static_cast<size_t>(i)]) << rs->Field(i).name;
    EXPECT_EQ(rs->Field(0).baseTable, "t");
    EXPECT_EQ(rs->Field(13).baseColumn, "");
}

TEST_F(RecordsetTest, ValuesTakeTheirFieldsTypes)
{
    db_.Exec("CREATE TABLE t (i INTEGER, big INTEGER, n NUMERIC, m CURRENCY, b BOOLEAN, bl BLOB, s TEXT);"
             "INSERT INTO t VALUES (7, 9223372036854775807, 12.5, 1234567.5, 1, x'0102ff', 42);"
             "INSERT INTO t VALUES ('seven', NULL, NULL, NULL, NULL, NULL, NULL)");
    auto rs = Recordset::Open(db_, "SELECT * FROM t");
    EXPECT_EQ(rs->Value(0).VarType(), VtLong);
    EXPECT_EQ(rs->Value(1).VarType(), VtDecimal);
    EXPECT_EQ(rs->Value(1).ToString(), "9223372036854775807");  // every digit kept
    EXPECT_EQ(rs->Value(2).VarType(), VtDecimal);
    EXPECT_EQ(rs->Value(3).AsCurrencyScaled(), 12345675000);
    EXPECT_EQ(rs->Value(4).VarType(), VtBoolean);
    EXPECT_EQ(rs->Value(5).ToString(), "[3 bytes]");
    EXPECT_EQ(rs->Value(6).ToString(), "42");
    rs->MoveNext();
    EXPECT_EQ(rs->Value(0).ToString(), "seven");  // a word in a number column is still shown
    for (int i = 1; i < rs->FieldCount(); ++i)
        EXPECT_TRUE(rs->Value(i).IsNull()) << i;
}

TEST_F(RecordsetTest, DatesFromIsoTextJulianDaysAndUnixSecondsKeepTheirTimes)
{
    // 2024-03-01 06:00 UTC in each form; the Unix column is told apart by a sampled number
    // outside the Julian day range, the rest of its values alone would pass for Julian days.
    db_.Exec("CREATE TABLE t (iso DATETIME, jd DATE, unix TIMESTAMP, day DATE);"
             "INSERT INTO t VALUES ('2024-03-01 06:00:00', 2460370.75, 2460000, '2024-02-29');"
             "INSERT INTO t VALUES ('2024-03-01T08:00+02:00', julianday('2024-03-01 06:00'), 1709272800, NULL);"
             "INSERT INTO t VALUES ('2024-03-01 06:00:00.000Z', 2460370.75, 1709272800.0, '2023-02-29')");
    auto rs = Recordset::Open(db_, "SELECT * FROM t");
    EXPECT_EQ(rs->Field(0).dateNumbers, DateNumbers::JulianDay);
    EXPECT_EQ(rs->Field(2).dateNumbers, DateNumbers::UnixSeconds);
    EXPECT_TRUE(rs->Field(0).hasTimeOfDay);
    EXPECT_FALSE(rs->Field(3).hasTimeOfDay);
    EXPECT_EQ(rs->Value(3).VarType(), VtDate);
    EXPECT_DOUBLE_EQ(rs->Value(3).AsDate(), 45351.0);
    for (rs->MoveNext(); !rs->Eof(); rs->MoveNext())
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(rs->Value(i).AsDate(), 45352.25, 1e-9) << i;
    rs->MoveFirst();
    EXPECT_NEAR(rs->Value(0).AsDate(), 45352.25, 1e-9);
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_EQ(rs->Value(3).ToString(), "2023-02-29");  // no such day: kept as text
}

TEST_F(RecordsetTest, CursorsHoldAndCountRecordsAsTheirTypeSays)
{
    db_.Exec(
        "CREATE TABLE n (v INTEGER);"
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 250) INSERT INTO n SELECT i FROM c");
    const std::string sql = "SELECT counted(v) AS v FROM n ORDER BY v DESC";

    // ORDER BY makes SQLite compute every row at the first step: each run hands out all 250.
    auto forward = Recordset::Open(db_, sql, Cursor::ForwardOnly);
    EXPECT_EQ(forward->RecordCount(), -1);
    EXPECT_FALSE(forward->Supports(kSupportsBookmark));
    forward->ReadAhead(1000);
    EXPECT_EQ(forward->RecordCount(), 250);
    EXPECT_TRUE(forward->Supports(kSupportsBookmark));  // the whole result is held
    forward->MoveFirst();
    EXPECT_EQ(handedOut_, 250);
    forward->MoveNext();
    EXPECT_FALSE(forward->Supports(kSupportsBookmark));
    forward->MoveFirst();  // the first record was let go: the query runs again
    EXPECT_EQ(forward->Value(0).ToLong(), 250);
    EXPECT_EQ(handedOut_, 500);

    handedOut_ = 0;
    auto stat = Recordset::Open(db_, sql, Cursor::Static);
    EXPECT_EQ(stat->RecordCount(), 250);
    EXPECT_TRUE(stat->Supports(kSupportsBookmark));
    EXPECT_FALSE(stat->Supports(kSupportsBookmark + 1));
    while (!stat->Eof())
        stat->MoveNext();
    EXPECT_THROW(stat->Value(0), TavixError);
    stat->MoveFirst();
    EXPECT_EQ(stat->Value(0).ToLong(), 250);
    EXPECT_EQ(handedOut_, 250);
}

TEST_F(RecordsetTest, LateBoundMembers)
{
    db_.Exec("CREATE TABLE t (Id INTEGER, name TEXT); INSERT INTO t VALUES (5, 'five')");
    std::shared_ptr<Dispatch> rs = Recordset::Open(db_, "SELECT id, name, length(name) FROM t");
    EXPECT_EQ(rs->TypeName(), "Recordset");
    EXPECT_EQ(rs->Get("recordcount").ToLong(), 1);
    EXPECT_TRUE(rs->Call("Supports", { GridVariant(kSupportsBookmark) }).ToBool());
    EXPECT_EQ(rs->Get("Fields").AsObject()->Get("Count").ToLong(), 3);
    const std::shared_ptr<Dispatch> byName = rs->Call("Fields", { GridVariant("ID") }).AsObject();
    const std::shared_ptr<Dispatch> byNumber = rs->Call("Fields", { GridVariant(int32_t { 1 }) }).AsObject();
    EXPECT_EQ(byName->Get("Name").ToString(), "Id");
    EXPECT_EQ(byName->Get("Type").ToLong(), static_cast<int32_t>(FieldType::Long));
    EXPECT_EQ(byName->Get("Value").ToLong(), 5);
    EXPECT_EQ(byNumber->Get("Value").ToString(), "five");
    auto property = [](Dispatch& field, const char* name) {
        return field.Call("Properties", { GridVariant(name) }).AsObject()->Get("Value");
    };
    EXPECT_EQ(property(*byName, "BASETABLENAME").ToString(), "t");
    EXPECT_EQ(property(*byName, "BASECOLUMNNAME").ToString(), "Id");
    const std::shared_ptr<Dispatch> expression = rs->Call("Fields", { GridVariant(int32_t { 2 }) }).AsObject();
    EXPECT_TRUE(property(*expression, "BASETABLENAME").IsNull());
    rs->Call("MoveNext");
    EXPECT_TRUE(rs->Get("EOF").ToBool());
    EXPECT_THROW(byName->Get("Value"), TavixError);
    for (const GridVariant& missing : { GridVariant("nope"), GridVariant(int32_t { 3 }) }) {
        try {
            rs->Call("Fields", { missing });
            FAIL() << missing.ToString();
        } catch (const TavixError& e) {
            EXPECT_EQ(e.Number(), 3265);
        }
    }
    EXPECT_THROW(rs->Call("Requery"), TavixError);
}

}  // namespace
}  // namespace tavix::sqlite
