#include "sample_database.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <tavix/sqlite/database.h>

namespace tavix::view {
namespace {

namespace fs = std::filesystem;

TEST(SampleDatabase, LivesInTheFirstWritableDataDirectory)
{
    const fs::path root = fs::path(TAVIX_TEST_OUTPUT_DIR) / "tavix-view" / "xdg";
    fs::remove_all(root);
    setenv("XDG_DATA_HOME", root.c_str(), 1);
    EXPECT_EQ(SampleDatabase::DefaultDirectory(), (root / "tavix-view").string());
    // An unusable data home falls back to ~/.local/share.
    setenv("XDG_DATA_HOME", "/proc/no-such-place", 1);
    const fs::path home = root / "home";
    const std::string realHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(SampleDatabase::DefaultDirectory(), (home / ".local/share/tavix-view").string());
    setenv("HOME", realHome.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
}

TEST(SampleDatabase, EnsureReusesACompleteSampleAndRebuildsAnyOther)
{
    const fs::path dir = fs::path(TAVIX_TEST_OUTPUT_DIR) / "tavix-view" / "sample";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = SampleDatabase::Ensure(dir.string(), 30);
    const auto written = fs::last_write_time(path);
    EXPECT_EQ(SampleDatabase::Ensure(dir.string(), 30), path);
    EXPECT_EQ(fs::last_write_time(path), written);

    std::ofstream(path, std::ios::trunc) << "not a database";
    SampleDatabase::Ensure(dir.string(), 30);
    sqlite::Database db(path);
    auto count = db.Prepare("SELECT count(*), count(DISTINCT status), sum(length(note) > 150) FROM orders");
    ASSERT_TRUE(count.Step());
    EXPECT_EQ(count.Int64(0), 30);
    EXPECT_EQ(count.Int64(1), 5);
    EXPECT_GE(count.Int64(2), 1);  // some notes are long enough to run past their column
    EXPECT_FALSE(fs::exists(path + ".partial"));
}

}  // namespace
}  // namespace tavix::view
