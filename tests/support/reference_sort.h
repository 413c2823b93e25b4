// The reference sort the grid's sort must agree with: the row-moving shell sort
// in its plain form. Whole rows are copied (the held row aside to a spare place,
// the others shifted one gap at a time), every comparison starts from nothing,
// and group rows fence the runs between them. Tests compare the grid's order with
// it; benchmarks measure the grid against it.
#pragma once

#include <tavix/error.h>

#include <cstdint>

namespace tavix::testing {

// Rows: int32_t Count() const; bool IsGroup(int32_t row); void Copy(int32_t from, int32_t to), where
// place Count() + 1 is the spare one; bool NotBelow(int32_t a, int32_t b): row a sorts at or
// after row b (may throw TavixError). Returns false when a comparison failed, which ends the sort
// where it stands with every row still present once.
template <typename Rows> bool ReferenceSort(Rows& rows, bool groupMode)
{
    const int32_t count = rows.Count();
    const int32_t held = count + 1;
    const auto range = [&](int32_t lo, int32_t hi) {
        const int32_t n = hi - lo + 1;
        if (n < 2)
            return;
        if (n == 2) {
            if (rows.NotBelow(lo, hi)) {
                rows.Copy(lo, held);
                rows.Copy(hi, lo);
                rows.Copy(held, hi);
            }
            return;
        }
        int32_t h = 1;
        while (3 * h + 1 < n)
            h = 3 * h + 1;
        for (; h >= 1; h = (h - 1) / 3) {
            for (int32_t i = lo + h; i <= hi; ++i) {
                rows.Copy(i, held);
                int32_t j = i - h;
                try {
                    while (j >= lo && !rows.NotBelow(held, j)) {
                        rows.Copy(j, j + h);
                        j -= h;
                    }
                } catch (const TavixError&) {
                    rows.Copy(held, j + h);
                    throw;
                }
                rows.Copy(held, j + h);
            }
        }
    };
    try {
        if (!groupMode) {
            range(1, count);
        } else if (count > 2) {
            int32_t start = 1;
            for (int32_t r = 1; r <= count + 1; ++r) {
                if (r <= count && !rows.IsGroup(r))
                    continue;
                range(start, r - 1);
                start = r + 1;
            }
        }
    } catch (const TavixError&) {
        return false;
    }
    return true;
}

}  // namespace tavix::testing
