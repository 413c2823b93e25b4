#pragma once
// A read-mostly view of one of the grid's scroll bars. It refers to the grid's
// scroll bars without owning them: the grid keeps them alive.
#include <cstdint>
#include <tavix/enums.h>

namespace tavix::scroll {
class ScrollBars;
}

namespace tavix {

class ScrollBarObject {
public:
    ScrollBarObject(scroll::ScrollBars& bars, EScrollBar bar)
        : bars_(&bars)
        , bar_(bar)
    {
    }

    EScrollBar Bar() const { return bar_; }

    int32_t Value() const;
    // Moves the bar as a user would, so Change fires when the position moves.
    void SetValue(int32_t value);
    // The system metric, read at each call so theme changes show at once.
    int32_t Thickness() const;
    bool Visible() const;
    int32_t LargeChange() const;
    int32_t SmallChange() const;
    int32_t Min() const;
    // The maximum position plus LargeChange.
    int32_t Max() const;

private:
    scroll::ScrollBars* bars_;
    EScrollBar bar_;
};

}  // namespace tavix
