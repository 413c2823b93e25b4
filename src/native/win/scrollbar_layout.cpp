#include "native/win/scrollbar_layout.h"
#include <algorithm>

namespace tavix::native {

namespace {
constexpr int kMinThumb = 8;

int MaxPos(const ScrollBarState& b) { return std::max(b.min, b.max - std::max(0, static_cast<int>(b.page) - 1)); }
}  // namespace

ScrollBarLayout ScrollBarLayout::Compute(int length, const ScrollBarState& b)
{
    ScrollBarLayout l;
    l.length = std::max(0, length);
    l.arrow = std::min(GetSystemMetrics(SM_CXVSCROLL), l.length / 2);
    int track = l.length - 2 * l.arrow;
    int range = b.max - b.min + 1;
    bool scrollable = !b.disabled && range > 0 && MaxPos(b) > b.min;
    if (!scrollable || track < kMinThumb)
        return l;
    l.thumbLength = b.page ? std::max(kMinThumb, static_cast<int>(int64_t(track) * b.page / range))
                           : GetSystemMetrics(SM_CYVTHUMB);
    l.thumbLength = std::min(l.thumbLength, track);
    int pos = b.tracking ? b.trackPos : b.pos;
    int span = MaxPos(b) - b.min;
    l.thumbStart = l.arrow + static_cast<int>(int64_t(track - l.thumbLength) * (pos - b.min) / span);
    return l;
}

int ScrollBarLayout::PartAt(int along) const
{
    if (along < 0 || along >= length)
        return -1;
    if (along < arrow)
        return SB_LINEUP;
    if (along >= length - arrow)
        return SB_LINEDOWN;
    if (!thumbLength)
        return -1;
    if (along < thumbStart)
        return SB_PAGEUP;
    if (along >= thumbStart + thumbLength)
        return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

int ScrollBarLayout::PositionForThumbAt(int start, const ScrollBarState& b) const
{
    int room = length - 2 * arrow - thumbLength;
    if (room <= 0)
        return b.min;
    int offset = std::clamp(start - arrow, 0, room);
    int span = MaxPos(b) - b.min;
    // Rounded so that the thumb's end positions reach the range's ends exactly.
    return b.min + static_cast<int>((int64_t(offset) * span + room / 2) / room);
}

}  // namespace tavix::native
