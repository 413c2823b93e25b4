#include "layout/view_layout.h"

#include "scroll/scroll_bars.h"

#include <tavix/native/window.h>

namespace tavix::layout {

namespace {
constexpr int kHorizontal = 0;
constexpr int kVertical = 1;
}  // namespace

std::pair<int32_t, int32_t> ViewLayout::CellFromPoint(int32_t x, int32_t y)
{
    int32_t lRow = 0;
    int32_t lCol = 0;
    const native::Rect rect = GetViewRect(true, true);
    native::POINT screen { x, y };
    if (window_ != 0)
        native::ClientToScreen(window_, &screen);
    const bool inV = screen.y >= rect.top && screen.y < rect.bottom;
    const bool inH = screen.x >= rect.left && screen.x < rect.right;
    const int32_t cx = x + scrollX_;
    const int32_t cy = y + scrollY_ - HeaderHeight();

    const auto& range = ComputeVisibleRange();
    if (inV) {
        for (int32_t r = std::max(range.StartRow, 1); r <= range.EndRow; ++r) {
            const auto& row = table_.Row(r);
            if (row.Visible && row.Top < cy && cy <= row.Top + row.Height) {
                lRow = r;
                break;
            }
        }
    }

    auto columnAt = [&](int32_t from) -> int32_t {
        for (int32_t p = std::max(from, 1); p <= range.EndCol; ++p) {
            const auto& c = table_.Column(p);
            if (c.Visible && !c.IsRowTextCol && c.Left < cx && cx <= c.Left + c.Width)
                return p;
        }
        return 0;
    };

    if (lRow > 0 && table_.Row(lRow).IsGroup) {
        const int32_t p = columnAt(GroupStartPos(table_.Row(lRow).GroupStartCol));
        if (p > 0)
            lCol = table_.RowTextCol();
    } else if (lRow > 0 && RowTextInEffect()) {
        if (inH) {
            const int32_t p = columnAt(range.StartCol);
            if (p > 0) {
                const auto& row = table_.Row(lRow);
                if (p >= GetRowTextStart().rowTextStartPos)
                    lCol = cy < row.Top + row.NormalCellHeight ? table_.Column(p).Index : table_.RowTextCol();
                else
                    lCol = table_.Column(p).Index;
            }
        }
    } else if (inH) {
        const int32_t p = columnAt(range.StartCol);
        if (p > 0)
            lCol = table_.Column(p).Index;
    }
    return { lRow, lCol };
}

CellRect ViewLayout::CellBoundary(int32_t row, int32_t colIndex) const
{
    const auto& r = table_.Row(row);
    const int32_t hdr = HeaderHeight();
    CellRect out {};
    auto lastRight = [&] {
        const int32_t last = LastVisiblePos();
        const auto& c = table_.Column(last);
        return c.Left + c.Width - scrollX_;
    };
    if (r.IsGroup) {
        out.left = table_.Column(GroupStartPos(r.GroupStartCol)).Left - scrollX_;
        out.top = r.Top - scrollY_ + hdr;
        out.width = lastRight() - out.left;
        out.height = r.Height;
        return out;
    }
    const int32_t position = table_.Columns().PositionOfIndex(colIndex);
    const auto& c = table_.Column(position);
    const RowTextStart start = GetRowTextStart();
    if (c.IsRowTextCol) {
        out.left = table_.Column(start.rowTextStartPos).Left - scrollX_;
        out.top = r.Top + r.NormalCellHeight - scrollY_ + hdr;
        out.width = lastRight() - out.left;
        out.height = r.Height - r.NormalCellHeight;
        return out;
    }
    out.left = c.Left - scrollX_;
    out.width = c.Width;
    out.top = r.Top - scrollY_ + hdr;
    out.height = RowTextInEffect() && position >= start.rowTextStartPos ? r.NormalCellHeight : r.Height;
    return out;
}

namespace {

// Columns and rows share the ensure-visible modes: the values of the column
// and row mode enumerations line up.
enum class Align { Auto, Start, StartForce, End, EndForce };
static_assert(int { tvEnsVisColRightForce } == int { tvEnsVisRowBottomForce }
    && int { tvEnsVisColLeft } == int { tvEnsVisRowTop });

// The scroll position that brings the span [lo, hi) into a view of `view`
// pixels scrolled to `scroll`.
int32_t EnsureVisibleTarget(int32_t lo, int32_t hi, int32_t scroll, int32_t view, int32_t mode, int32_t gap)
{
    const bool fullyIn = lo >= scroll && hi < scroll + view;
    const int32_t endAligned = hi - lo <= view ? hi - view + gap : lo;
    switch (static_cast<Align>(mode)) {
    case Align::Start: return fullyIn ? scroll : lo - gap;
    case Align::StartForce: return lo - gap;
    case Align::End: return fullyIn ? scroll : endAligned;
    case Align::EndForce: return endAligned;
    default:
        if (lo < scroll)
            return lo - gap;
        if (hi >= scroll + view)
            return endAligned;
        return scroll;
    }
}

}  // namespace

void ViewLayout::EnsureVisibleCol(int32_t colIndex, EEnsureVisibleColMode mode, int32_t gap)
{
    table_.Editor().CancelEdit();
    const auto& c = table_.Column(table_.Columns().PositionOfIndex(colIndex));
    auto* bars = Bars();
    if (!c.Visible || c.IsRowTextCol || bars == nullptr)
        return;
    bars->SetPosition(kHorizontal, EnsureVisibleTarget(c.Left, c.Left + c.Width, scrollX_, viewWidth_, mode, gap));
}

void ViewLayout::EnsureVisibleRow(int32_t row, EEnsureVisibleRowMode mode, int32_t gap)
{
    table_.Editor().CancelEdit();
    const auto& rd = table_.Row(row);
    auto* bars = Bars();
    if (!rd.Visible || bars == nullptr)
        return;
    bars->SetPosition(kVertical, EnsureVisibleTarget(rd.Top, rd.Top + rd.Height, scrollY_, viewHeight_, mode, gap));
}

void ViewLayout::ScrollCellIntoView(int32_t row, int32_t colIndex)
{
    auto* bars = Bars();
    if (bars == nullptr || row < 1 || row > table_.RowCount())
        return;
    const auto& rd = table_.Row(row);
    constexpr int32_t gap = 8;
    const bool rowVisible = rd.Visible;
    const int32_t t = rd.Top;
    const int32_t height = rd.Height;

    int32_t l = 0;
    int32_t r = 0;
    bool horizontal = false;
    if (rd.IsGroup) {
        l = table_.Column(GroupStartPos(rd.GroupStartCol)).Left;
        r = l + 1;
        horizontal = true;
    } else if (colIndex > 0) {
        const int32_t position = table_.Columns().PositionOfIndex(colIndex);
        const auto& c = table_.Column(position);
        if (c.IsRowTextCol) {
            l = table_.Column(GetRowTextStart().rowTextStartPos).Left;
            r = l + 1;
        } else {
            l = c.Left;
            r = c.Left + c.Width;
        }
        horizontal = c.Visible;
    }
    // The horizontal scroll raises ScrollBarPosChanged (see core::ShapeWatch).
    const core::ShapeWatch watch(table_);
    if (horizontal) {
        if (l < scrollX_)
            bars->SetPosition(kHorizontal, l - gap);
        else if (r > scrollX_ + viewWidth_)
            bars->SetPosition(kHorizontal, r - l <= viewWidth_ ? r - viewWidth_ + gap : l);
    }
    if (rowVisible && !watch.Changed()) {
        const int32_t b = t + height;
        if (t < scrollY_)
            bars->SetPosition(kVertical, t - gap);
        else if (b >= scrollY_ + viewHeight_)
            bars->SetPosition(kVertical, height < viewHeight_ ? b - viewHeight_ + gap : t);
    }
}

}  // namespace tavix::layout

namespace tavix::layout {

CellRect ViewLayout::CellTextBoundary(
    int32_t row, int32_t colIndex, int32_t iconWidth, std::optional<std::pair<int32_t, int32_t>> noClipRoom) const
{
    CellRect r = CellBoundary(row, colIndex);
    const core::CellLook& cell = table_.CellLookAt(row, colIndex);
    const int32_t flags = cell.TextFlags;
    if ((flags & 256) != 0) {
        if (noClipRoom) {
            r.left = noClipRoom->first;
            r.width = noClipRoom->second - noClipRoom->first;
        }
        r.height -= 1;
        if ((flags & 1) != 0) {
            r.width -= 1;
        } else if ((flags & 2) != 0) {
            r.width -= cell.RightIndent + 1;
        } else {
            r.left += cell.Indent;
            r.width -= cell.Indent + 1;
        }
        return r;
    }
    r.left += 1;
    r.width -= 3;
    r.height -= 1;
    for (int16_t icon : { cell.Icon, cell.ExtraIcon }) {
        if (icon >= 0) {
            r.left += iconWidth + 2;
            r.width -= iconWidth + 2;
        }
    }
    r.left += cell.Indent;
    r.width -= cell.Indent + cell.RightIndent;
    return r;
}

}  // namespace tavix::layout
