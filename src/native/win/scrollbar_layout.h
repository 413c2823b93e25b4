#pragma once
// Where the arrows, the track and the thumb of one scroll bar lie along its axis.
#include "native/win/desktop_state.h"

namespace tavix::native {

struct ScrollBarLayout {
    int length { 0 };
    int arrow { 0 };  // length of each arrow button
    int thumbStart { 0 };  // from the bar's start
    int thumbLength { 0 };  // 0 = no thumb (nothing to scroll, or disabled)

    static ScrollBarLayout Compute(int length, const ScrollBarState& bar);
    // The notification a press at `along` produces, SB_THUMBTRACK for the thumb, -1 for none.
    int PartAt(int along) const;
    int PositionForThumbAt(int thumbStart, const ScrollBarState& bar) const;
};

}  // namespace tavix::native
