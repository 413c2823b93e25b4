#pragma once

#include "core/huge_page_allocator.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace tavix::core {

// Storage for rows of `width` elements each, in blocks of a power of two of
// rows; a row's elements are adjacent. Only the first block grows
// geometrically (a small table stays small) and may move while it fills; every
// later block is allocated whole, so appending a million rows copies at most
// one block. Rows are numbered from 0. A full block holds the least power of
// two of rows that fills BlockBytes (two huge pages by default).
template <typename T, size_t BlockBytes = 2 * HugePageAllocator<T>::kHugePage> class RowBlocks {
public:
    explicit RowBlocks(int32_t width = 0) { SetWidth(width); }

    int32_t Width() const { return width_; }
    size_t Rows() const { return rows_; }

    T* Row(size_t row) { return blocks_[row >> rowShift_].data() + (row & rowMask_) * static_cast<size_t>(width_); }
    const T* Row(size_t row) const
    {
        return blocks_[row >> rowShift_].data() + (row & rowMask_) * static_cast<size_t>(width_);
    }

    // Drops every row and sets the row width.
    void Reset(int32_t width)
    {
        blocks_.clear();
        blocks_.shrink_to_fit();
        rows_ = 0;
        SetWidth(width);
    }

    // Keeps the rows that remain; new rows hold value-initialised elements, or
    // copies of the `width` elements at `fill` when given, so that rows meant to
    // start as something other than blank are written once, not twice.
    void Resize(size_t rows, const T* fill = nullptr)
    {
        const size_t blockRows = rowMask_ + 1;
        const size_t blockCount = (rows + blockRows - 1) / blockRows;
        // Blocks before the last one that existed already are full and stay as they are.
        const size_t firstChanged = std::min(blocks_.size(), blockCount);
        blocks_.resize(blockCount);
        for (size_t b = firstChanged > 0 ? firstChanged - 1 : 0; b < blockCount; ++b) {
            Block& block = blocks_[b];
            const size_t rowsInBlock = std::min(blockRows, rows - b * blockRows);
            const size_t size = rowsInBlock * static_cast<size_t>(width_);
            if (block.size() == size)
                continue;
            if ((b > 0 || rowsInBlock == blockRows) && block.capacity() < size)
                block.reserve(blockRows * static_cast<size_t>(width_));
            const bool shrinking = size < block.size();
            if (fill != nullptr && !shrinking)
                AppendCopies(block, size, fill);
            else
                block.resize(size);
            if (shrinking && size < block.capacity() / 2)
                block.shrink_to_fit();
        }
        rows_ = rows;
    }

private:
    using Block = std::vector<T, HugePageAllocator<T>>;

    void AppendCopies(Block& block, size_t size, const T* fill) const
    {
        // Grows a partial first block as resize would, not a row at a time.
        if (block.capacity() < size)
            block.reserve(std::max(size, 2 * block.size()));
        while (block.size() < size)
            block.insert(block.end(), fill, fill + width_);
    }

    void SetWidth(int32_t width)
    {
        width_ = width;
        const size_t rowBytes = sizeof(T) * static_cast<size_t>(std::max(width, 1));
        rowShift_ = 0;
        while ((size_t { 1 } << rowShift_) * rowBytes < BlockBytes)
            ++rowShift_;
        rowMask_ = (size_t { 1 } << rowShift_) - 1;
    }

    std::vector<Block> blocks_;
    int32_t width_ { 0 };
    size_t rows_ { 0 };
    uint32_t rowShift_ { 0 };
    size_t rowMask_ { 0 };
};

}  // namespace tavix::core
