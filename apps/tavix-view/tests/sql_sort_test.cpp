#include "sql_sort.h"

#include <gtest/gtest.h>

namespace tavix::view {
namespace {

TEST(SqlSort, FollowsHeaderClickRules)
{
    SqlSort sort;
    EXPECT_EQ(sort.Wrap("SELECT 1"), "SELECT 1");
    sort.Apply(2, "qty", false);
    sort.Apply(2, "qty", false);  // the ascending first key turns descending
    sort.Apply(3, "id", true);
    EXPECT_EQ(sort.Wrap("SELECT * FROM t"), "SELECT * FROM (SELECT * FROM t) ORDER BY 2 DESC, 3 ASC");
    sort.Apply(3, "id", true);  // adding a key already there toggles it in place
    EXPECT_EQ(sort.Keys(), (std::vector<SqlSort::Key> { { 2, "qty", true }, { 3, "id", true } }));
    sort.Apply(3, "id", false);  // alone again, and ascending: it was not the ascending first key
    EXPECT_EQ(sort.Keys(), (std::vector<SqlSort::Key> { { 3, "id", false } }));
    sort.Apply(2, "qty", false);
    sort.Apply(2, "qty", false);
    sort.Apply(2, "qty", false);  // descending first key: a plain click sorts ascending again
    EXPECT_EQ(sort.Keys(), (std::vector<SqlSort::Key> { { 2, "qty", false } }));
}

}  // namespace
}  // namespace tavix::view
