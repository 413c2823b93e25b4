// LayoutCol and LayoutSort strings on a small grid: a LayoutCol string that raises leaves the
// grid exactly as it was, one that applies reads back as a string that applies unchanged, and
// a LayoutSort string never raises.
#include "fuzz_input.h"

#include <tavix/error.h>
#include <tavix/grid.h>

#include <cstdlib>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// Everything a layout string could move: the layout, the sort marks, the keys in display
// order and the rows in their order.
std::string Snapshot(const tavix::Tavix& g)
{
    std::string s = g.LayoutCol() + "#" + g.LayoutSort() + "#";
    for (int32_t c = 1; c <= g.ColCount(); ++c)
        s += g.ColKey(c) + "@" + std::to_string(g.ColOrder(c)) + ",";
    for (int32_t r = 1; r <= g.RowCount(); ++r)
        s += g.RowKey(r) + ",";
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tavix::fuzz::FuzzInput in(data, size);
    const int32_t cols = 1 + in.Byte() % 6;
    const uint8_t mode = in.Byte();
    tavix::Tavix g;
    for (int32_t c = 1; c <= cols; ++c)
        g.AddCol("c" + std::to_string(c));
    for (int32_t r = 1; r <= 4; ++r) {
        g.AddRow("r" + std::to_string(r));
        for (int32_t c = 1; c <= cols; ++c)
            g.SetCellValue(r, c, tavix::GridVariant((r * 7 + c * 3) % 5));
    }
    // A layout to start from that is not the plain one.
    g.SetColOrder(1 + in.Byte() % cols, 1 + in.Byte() % cols);
    g.SetColVisible(1 + in.Byte() % cols, false);
    const std::string text(in.Rest());

    if (mode % 2 == 0) {
        const std::string before = Snapshot(g);
        try {
            g.SetLayoutCol(text);
        } catch (const tavix::TavixError& e) {
            Require(e.Code() == tavix::rtInvalidCall || e.Code() == tavix::rtSubscript
                || e.Code() == tavix::rtTypeMismatch);
            Require(Snapshot(g) == before);
            return 0;
        }
        const std::string applied = g.LayoutCol();
        g.SetLayoutCol(applied);
        Require(g.LayoutCol() == applied);
    } else {
        g.SetLayoutSort(text);
        const std::string sorted = g.LayoutSort();
        Require(sorted.empty() || sorted.back() == '|');
    }
    return 0;
}
