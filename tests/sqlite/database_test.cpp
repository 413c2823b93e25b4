#include "sqlite_database.h"
#include "test_db.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace tavix::view {
namespace {

using testing::TempDatabase;

TEST(Sqlite, OpenFailuresNameTheFile)
{
    TempDatabase missing("missing");
    try {
        SqliteDatabase db(missing.Path());
        FAIL() << "opened a missing file read-only";
    } catch (const SqliteError& e) {
        EXPECT_NE(std::string(e.what()).find(missing.Path()), std::string::npos) << e.what();
    }
    // A file that is not a database fails when opened, not at the first query.
    TempDatabase text("not-a-db");
    std::ofstream(text.Path()) << std::string(200, 'x');
    EXPECT_THROW(SqliteDatabase(text.Path()), SqliteError);
}

TEST(Sqlite, StatementErrorsCarrySqliteMessages)
{
    TempDatabase t("errors");
    auto db = t.Open();
    db.Exec("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT NOT NULL)");
    try {
        db.Prepare("SELECT nope FROM t");
        FAIL();
    } catch (const SqliteError& e) {
        EXPECT_EQ(e.Code(), SQLITE_ERROR);
        EXPECT_STREQ(e.what(), "no such column: nope");
    }
    EXPECT_THROW(db.Prepare("   "), SqliteError);
    EXPECT_THROW(db.Exec("INSERT INTO t VALUES (1, NULL)"), SqliteError);
    auto insert = db.Prepare("INSERT INTO t VALUES (?1, ?2)");
    insert.Bind(1, int64_t { 1 });
    insert.BindNull(2);
    try {
        insert.Step();
        FAIL();
    } catch (const SqliteError& e) {
        EXPECT_EQ(e.Code() & 0xFF, SQLITE_CONSTRAINT);
    }
}

TEST(Sqlite, StepsValuesAndSchemaLookups)
{
    TempDatabase t("values");
    auto db = t.Open();
    EXPECT_EQ(db.FirstTable(), "");
    db.Exec("CREATE TABLE \"b \"\"q\"\"\" (x); CREATE TABLE a (n INTEGER, r REAL, s TEXT);"
            "INSERT INTO a VALUES (9000000000, 2.5, 'h\xC3\xA9'), (NULL, NULL, NULL)");
    EXPECT_EQ(db.FirstTable(), "a");
    EXPECT_TRUE(db.HasTable("b \"q\""));
    EXPECT_FALSE(db.HasTable("c"));
    auto s = db.Prepare("SELECT * FROM a");
    ASSERT_TRUE(s.Step());
    EXPECT_EQ(s.ColumnCount(), 3);
    EXPECT_EQ(s.DeclaredType(0), "INTEGER");
    EXPECT_EQ(s.Int64(0), 9000000000);
    EXPECT_EQ(s.Text(2), "h\xC3\xA9");
    ASSERT_TRUE(s.Step());
    EXPECT_EQ(s.ColumnStorage(0), SqliteStatement::Storage::Null);
    EXPECT_FALSE(s.Step());
    EXPECT_EQ(s.RowsStepped(), 2);
}

}  // namespace
}  // namespace tavix::view
