#include "core/row_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavix::core {
namespace {

// Rows of three strings, four rows to a block: every operation below crosses blocks.
using SmallBlocks = RowBlocks<std::string, 4 * 3 * sizeof(std::string)>;

void FillNumbered(SmallBlocks& b, size_t from)
{
    for (size_t r = from; r < b.Rows(); ++r)
        for (int32_t c = 0; c < b.Width(); ++c)
            b.Row(r)[c] = std::to_string(r) + "." + std::to_string(c);
}

TEST(RowBlocks, ResizingKeepsRowsAndFullBlocksStayPut)
{
    SmallBlocks b(3);
    b.Resize(11);
    FillNumbered(b, 0);
    // Rows in full blocks stay where they are while later blocks come.
    const std::string* ninthRow = b.Row(8);
    b.Resize(17);
    EXPECT_EQ(b.Row(8), ninthRow);
    EXPECT_EQ(b.Row(9), ninthRow + 3);
    EXPECT_EQ(b.Row(10)[0], "10.0");
    EXPECT_EQ(b.Row(16)[1], "");
    // Rows given up and taken again start empty.
    b.Resize(6);
    b.Resize(9);
    EXPECT_EQ(b.Row(5)[1], "5.1");
    EXPECT_EQ(b.Row(6)[0] + b.Row(7)[1] + b.Row(8)[2], "");
    // Rows taken with a fill row start as copies of it, across blocks; the others stay.
    const std::string fill[3] = { "a", "b", "c" };
    b.Resize(14, fill);
    EXPECT_EQ(b.Row(8)[2] + b.Row(9)[0] + b.Row(11)[1] + b.Row(13)[2], "abc");
}

}  // namespace
}  // namespace tavix::core
