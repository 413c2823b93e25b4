#include "sql_sort.h"

#include <gtest/gtest.h>

namespace tavix::view {
namespace {

TEST(SqlSort, FollowsHeaderClickRules)
{
    SqlSort sort;
    EXPECT_EQ(sort.Wrap("SELECT 1"), "SELECT 1");
    sort.Apply("qty", false);
    sort.Apply("qty", false);  // the ascending first key turns descending
    sort.Apply("na\"me", true);
    EXPECT_EQ(sort.Wrap("SELECT * FROM t"), R"(SELECT * FROM (SELECT * FROM t) ORDER BY "qty" DESC, "na""me" ASC)");
    sort.Apply("na\"me", true);  // adding a key already there toggles it in place
    EXPECT_EQ(sort.Keys(), (std::vector<SqlSort::Key> { { "qty", true }, { "na\"me", true } }));
    sort.Apply("na\"me", false);  // alone again, and ascending: it was not the ascending first key
    EXPECT_EQ(sort.Keys(), (std::vector<SqlSort::Key> { { "na\"me", false } }));
    sort.Apply("qty", false);
    sort.Apply("qty", false);
    sort.Apply("qty", false);  // descending first key: a plain click sorts ascending again
    EXPECT_EQ(sort.Keys(), (std::vector<SqlSort::Key> { { "qty", false } }));
}

}  // namespace
}  // namespace tavix::view
