#include <tavix/sqlite/database.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace tavix::sqlite {
namespace {

std::string FreshPath(const std::string& name)
{
    const auto dir = std::filesystem::path(TAVIX_TEST_OUTPUT_DIR) / "sqlite";
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / name);
    return (dir / name).string();
}

TEST(Database, OpenFailuresNameTheFile)
{
    const std::string missing = FreshPath("missing.db");
    const std::string text = FreshPath("not-a-db.db");
    std::ofstream(text) << std::string(200, 'x');
    for (const std::string& path : { missing, text }) {
        try {
            Database db(path);
            FAIL() << "opened " << path;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
}

TEST(Database, StatementErrorsCarrySqliteMessages)
{
    Database db(":memory:", Database::Mode::ReadWriteCreate);
    db.Exec("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT NOT NULL)");
    try {
        db.Prepare("SELECT nope FROM t");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Code(), SQLITE_ERROR);
        EXPECT_STREQ(e.what(), "no such column: nope");
    }
    EXPECT_THROW(db.Prepare("   "), Error);
    EXPECT_THROW(db.Exec("INSERT INTO t VALUES (1, NULL)"), Error);
    auto insert = db.Prepare("INSERT INTO t VALUES (?1, ?2)");
    insert.Bind(1, int64_t { 1 });
    insert.BindNull(2);
    try {
        insert.Step();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Code() & 0xFF, SQLITE_CONSTRAINT);
    }
}

TEST(Database, StepsValuesAndSchemaLookups)
{
    Database db(":memory:", Database::Mode::ReadWriteCreate);
    EXPECT_TRUE(db.Tables().empty());
    db.Exec("CREATE TABLE \"b \"\"q\"\"\" (x); CREATE TABLE a (n INTEGER, r REAL, s TEXT); CREATE VIEW v AS SELECT 1;"
            "INSERT INTO a VALUES (9000000000, 2.5, 'h\xC3\xA9'), (NULL, NULL, NULL)");
    EXPECT_EQ(db.Tables(), (std::vector<std::string> { "a", "b \"q\"" }));
    EXPECT_TRUE(db.HasTable("b \"q\""));
    EXPECT_TRUE(db.HasTable("v"));
    EXPECT_FALSE(db.HasTable("c"));
    auto s = db.Prepare("SELECT n, r, s, n + 1 AS e FROM a");
    EXPECT_EQ(s.TableName(0), "a");
    EXPECT_EQ(s.OriginName(2), "s");
    EXPECT_EQ(s.TableName(3), "");
    ASSERT_TRUE(s.Step());
    EXPECT_EQ(s.DeclaredType(0), "INTEGER");
    EXPECT_EQ(s.Int64(0), 9000000000);
    EXPECT_EQ(s.Value(2).text, "h\xC3\xA9");
    EXPECT_EQ(s.Value(1).real, 2.5);
    ASSERT_TRUE(s.Step());
    EXPECT_EQ(s.ColumnStorage(0), Storage::Null);
    EXPECT_FALSE(s.Step());
    EXPECT_EQ(s.RowsStepped(), 2);
}

}  // namespace
}  // namespace tavix::sqlite
