#pragma once
// The items of a header control by index, their display order, and the
// geometry that follows from their widths. Edges are kept as prefix sums in
// display order and rebuilt on every change, so lookups are binary searches.
#include <span>
#include <string>
#include <tavix/native/header.h>
#include <vector>

namespace tavix::native {

struct HeaderItem {
    int width { 0 };
    int format { HDF_LEFT };
    std::string text;
    int image { 0 };
    LPARAM data { 0 };
};

struct HeaderHit {
    UINT flags { HHT_NOWHERE };
    int item { -1 };
};

class HeaderItems {
public:
    // Half the width of the band around a divider that grabs it.
    static constexpr int kDividerGrip = 5;

    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    const HeaderItem& At(int index) const { return items_[static_cast<size_t>(index)]; }

    // Inserts before `index` (past the end appends) at display position
    // `order` (out of range: last); returns the new item's index.
    int Insert(int index, int order, HeaderItem item);
    void Remove(int index);
    // Everything but the width; the width goes through SetWidth.
    void Update(int index, const HeaderItem& item);
    void SetWidth(int index, int width);

    int OrderOf(int index) const { return orderOf_[static_cast<size_t>(index)]; }
    int IndexAt(int order) const { return order_[static_cast<size_t>(order)]; }
    const std::vector<int>& Order() const { return order_; }
    // Refuses (false) anything but a permutation of all indexes.
    bool SetOrder(std::span<const int> order);
    void Move(int index, int order);

    int Left(int index) const { return lefts_[static_cast<size_t>(OrderOf(index))]; }
    int Right(int index) const { return Left(index) + At(index).width; }
    int TotalWidth() const { return lefts_.back(); }

    HeaderHit HitTest(POINT pt, int clientWidth, int clientHeight) const;
    // Where a dragged item dropped at x would go: the gap before display
    // position 0 .. Count(), whichever edge of the item under x is nearer.
    int GapAt(int x) const;
    int GapX(int gap) const { return lefts_[static_cast<size_t>(gap)]; }

private:
    // The display position of the item covering x: -1 left of the first, Count() from the right end on.
    int OrderAtX(int x) const;
    HeaderHit DividerBefore(int order) const;
    void Rebuild();

    std::vector<HeaderItem> items_;
    std::vector<int> order_;  // display position -> index
    std::vector<int> orderOf_;  // index -> display position
    std::vector<int> lefts_ { 0 };  // display position -> left edge, then the total width
};

}  // namespace tavix::native
