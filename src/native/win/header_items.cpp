#include "native/win/header_items.h"
#include <algorithm>

namespace tavix::native {

int HeaderItems::Insert(int index, int order, HeaderItem item)
{
    const int count = Count();
    index = std::clamp(index, 0, count);
    if (order < 0 || order > count)
        order = count;
    item.width = std::max(0, item.width);
    for (int& i : order_)
        if (i >= index)
            ++i;
    items_.insert(items_.begin() + index, std::move(item));
    order_.insert(order_.begin() + order, index);
    Rebuild();
    return index;
}

void HeaderItems::Remove(int index)
{
    items_.erase(items_.begin() + index);
    std::erase(order_, index);
    for (int& i : order_)
        if (i > index)
            --i;
    Rebuild();
}

void HeaderItems::Update(int index, const HeaderItem& item)
{
    const int width = At(index).width;
    items_[static_cast<size_t>(index)] = item;
    items_[static_cast<size_t>(index)].width = width;
}

void HeaderItems::SetWidth(int index, int width)
{
    items_[static_cast<size_t>(index)].width = std::max(0, width);
    Rebuild();
}

bool HeaderItems::SetOrder(std::span<const int> order)
{
    if (static_cast<int>(order.size()) != Count())
        return false;
    std::vector<bool> seen(order.size());
    for (int i : order) {
        if (!Valid(i) || seen[static_cast<size_t>(i)])
            return false;
        seen[static_cast<size_t>(i)] = true;
    }
    order_.assign(order.begin(), order.end());
    Rebuild();
    return true;
}

void HeaderItems::Move(int index, int order)
{
    std::erase(order_, index);
    order_.insert(order_.begin() + std::clamp(order, 0, static_cast<int>(order_.size())), index);
    Rebuild();
}

void HeaderItems::Rebuild()
{
    orderOf_.assign(items_.size(), 0);
    lefts_.assign(items_.size() + 1, 0);
    for (size_t p = 0; p < order_.size(); ++p) {
        orderOf_[static_cast<size_t>(order_[p])] = static_cast<int>(p);
        lefts_[p + 1] = lefts_[p] + items_[static_cast<size_t>(order_[p])].width;
    }
}

int HeaderItems::OrderAtX(int x) const
{
    // The last position starting at or left of x skips zero-width items there.
    auto it = std::upper_bound(lefts_.begin(), lefts_.end(), x);
    return static_cast<int>(it - lefts_.begin()) - 1;
}

// The divider at the left edge of a display position, grabbed from its right
// side: it sizes the item before, and opens that item when it has no width.
HeaderHit HeaderItems::DividerBefore(int order) const
{
    const int index = IndexAt(order - 1);
    return { At(index).width == 0 ? HHT_ONDIVOPEN : HHT_ONDIVIDER, index };
}

HeaderHit HeaderItems::HitTest(POINT pt, int clientWidth, int clientHeight) const
{
    if (pt.x < 0 || pt.x >= clientWidth || pt.y < 0 || pt.y >= clientHeight) {
        HeaderHit outside { 0, -1 };
        outside.flags |= pt.x < 0 ? HHT_TOLEFT : pt.x >= clientWidth ? HHT_TORIGHT : 0;
        outside.flags |= pt.y < 0 ? HHT_ABOVE : pt.y >= clientHeight ? HHT_BELOW : 0;
        return outside;
    }
    if (items_.empty())
        return {};
    const int order = OrderAtX(pt.x);
    if (order >= Count())
        return pt.x < TotalWidth() + kDividerGrip ? DividerBefore(order) : HeaderHit {};
    const int index = IndexAt(order);
    const int left = lefts_[static_cast<size_t>(order)];
    const int right = lefts_[static_cast<size_t>(order) + 1];
    // A narrow item is all item, so that it can still be clicked.
    if (right - left > 2 * kDividerGrip) {
        if (pt.x >= right - kDividerGrip)
            return { HHT_ONDIVIDER, index };
        if (order > 0 && pt.x < left + kDividerGrip)
            return DividerBefore(order);
    }
    return { HHT_ONHEADER, index };
}

int HeaderItems::GapAt(int x) const
{
    const int order = OrderAtX(x);
    if (order < 0)
        return 0;
    if (order >= Count())
        return Count();
    const int left = lefts_[static_cast<size_t>(order)];
    const int right = lefts_[static_cast<size_t>(order) + 1];
    return x < (left + right) / 2 ? order : order + 1;
}

}  // namespace tavix::native
