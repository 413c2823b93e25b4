#include <gtest/gtest.h>

#include <functional>

#include "tavix/error.h"
#include "tavix/shell_sort_object.h"

using namespace tavix;

namespace {

void ExpectInvalidArgument(const std::function<void()>& f)
{
    try {
        f();
        FAIL() << "no error raised";
    } catch (const TavixError& e) {
        EXPECT_EQ(e.Code(), 514);
    }
}

TEST(ShellSortObject, GrowingKeepsEntriesAndDefaultsNewOnes)
{
    ShellSortObject s;
    EXPECT_EQ(s.ColCount(), 0);
    s.SetColCount(1);
    s.SetSortCol(1, 7);
    s.SetSortOrder(1, tvSortDesc);
    s.SetSortType(1, tvSortByHatch);
    s.SetColCount(3);
    EXPECT_EQ(s.SortCol(1), 7);
    EXPECT_EQ(s.SortOrder(1), tvSortDesc);
    EXPECT_EQ(s.SortType(1), tvSortByHatch);
    EXPECT_EQ(s.SortCol(3), 3);
    EXPECT_EQ(s.SortOrder(3), tvSortAsc);
    EXPECT_EQ(s.SortType(3), tvSortByValue);
    s.SetColCount(0);
    EXPECT_EQ(s.ColCount(), 0);
    s.SetColCount(1);
    EXPECT_EQ(s.SortCol(1), 1) << "emptying must drop old entries";
}

TEST(ShellSortObject, OutOfRangeIndexAndNegativeCountRaise514AndChangeNothing)
{
    ShellSortObject s;
    s.SetColCount(2);
    ExpectInvalidArgument([&] { s.SetColCount(-1); });
    EXPECT_EQ(s.ColCount(), 2);
    ExpectInvalidArgument([&] { s.SortCol(0); });
    ExpectInvalidArgument([&] { s.SetSortCol(3, 1); });
    ExpectInvalidArgument([&] { s.SetSortOrder(0, 1); });
    ExpectInvalidArgument([&] { s.SortType(3); });
    EXPECT_EQ(s.SortCol(2), 2);
}

}  // namespace
