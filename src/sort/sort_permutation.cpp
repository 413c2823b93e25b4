#include "sort_permutation.h"

#include "sort_keys.h"

namespace tavix {

namespace {

// order[p] is the row at position p (1-based, order[0] unused).
void SortRange(std::vector<int32_t>& order, SortKeys& cmp, int32_t lo, int32_t hi) {
    const int32_t n = hi - lo + 1;
    if (n < 2) return;
    if (n == 2) {
        if (cmp.CompareRows(order[lo], order[hi])) std::swap(order[lo], order[hi]);
        return;
    }
    int32_t h = 1;
    while (3 * h + 1 < n) h = 3 * h + 1;
    for (; h >= 1; h = (h - 1) / 3) {
        for (int32_t i = lo + h; i <= hi; ++i) {
            const int32_t held = order[i];
            int32_t j = i - h;
            try {
                while (j >= lo && !cmp.CompareRows(held, order[j])) {
                    order[j + h] = order[j];
                    j -= h;
                }
            } catch (...) {
                order[j + h] = held;  // keep every row exactly once
                throw;
            }
            order[j + h] = held;
        }
    }
}

}  // namespace

std::vector<int32_t> SortPermutation(const ShellSortObject& criteria, SortSource& source, int32_t rowCount,
                                     bool groupMode, std::optional<TavixError>* failure) {
    std::vector<int32_t> order(static_cast<size_t>(rowCount > 0 ? rowCount : 0) + 1);
    for (int32_t p = 0; p <= rowCount; ++p) order[p] = p;
    if (criteria.ColCount() > 0 && !(groupMode && rowCount <= 2)) {
        SortKeys cmp(criteria, source, rowCount);
        try {
            if (!groupMode) {
                SortRange(order, cmp, 1, rowCount);
            } else {
                int32_t start = 1;
                for (int32_t r = 1; r <= rowCount + 1; ++r) {
                    if (r <= rowCount && !source.IsGroupRow(r)) continue;
                    SortRange(order, cmp, start, r - 1);
                    start = r + 1;
                }
            }
        } catch (const TavixError& e) {
            if (failure) *failure = e;
        }
    }
    order.erase(order.begin());
    return order;
}

}  // namespace tavix
