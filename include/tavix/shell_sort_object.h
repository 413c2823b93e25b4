// Ordered sort criteria of a grid: column, order and sort type per criterion.
#pragma once

#include <tavix/enums.h>

#include <cstdint>
#include <vector>

namespace tavix {

class ShellSortObject {
public:
    int16_t ColCount() const noexcept { return static_cast<int16_t>(criteria_.size()); }
    // Negative raises grid error 514; growing appends criterion i = (column i, ascending, by value).
    void SetColCount(int16_t count);

    // Indices are 1-based; outside 1..ColCount raises grid error 514 and changes nothing.
    // Values are stored as given, even when no such column, order or type exists.
    int16_t SortCol(int16_t index) const;
    void SetSortCol(int16_t index, int16_t column);
    int32_t SortOrder(int16_t index) const;
    void SetSortOrder(int16_t index, int32_t order);
    int32_t SortType(int16_t index) const;
    void SetSortType(int16_t index, int32_t type);

private:
    struct Criterion {
        int16_t column;
        int32_t order;
        int32_t type;
    };
    const Criterion& At(int16_t index) const;
    Criterion& At(int16_t index);

    std::vector<Criterion> criteria_;
};

}  // namespace tavix
