#include "paint/grid_painter.h"

#include <algorithm>

#include <tavix/enums.h>
#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

#include "core/cell_marks.h"
#include "core/virtual_rows.h"
#include "layout/layout.h"
#include "paint/draw_context.h"
#include "paint/row_painter.h"

namespace tavix::paint {

using namespace native;

namespace {

// The window's client DC for the length of one Draw.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd)
        : hwnd_(hwnd)
        , dc_(GetDC(hwnd))
    {
    }
    ~WindowDc() { ReleaseDC(hwnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

bool HasNoClipText(const core::GridState& s, int32_t row)
{
    for (int32_t p = 1; p <= s.ColCount(); ++p) {
        const core::ColumnData& c = s.columns.At(p);
        if (!c.Visible || c.Width <= 0 || c.IsRowTextCol)
            continue;
        const core::CellData& cell = s.cells.At(row, c.Index);
        if ((cell.Flags & core::CellData::kTypeMask) == tvCellText && (cell.TextFlags & tvTextNoClip))
            return true;
    }
    return false;
}

}  // namespace

GridPainter::GridPainter(core::GridState& state)
    : s_(state)
    , res_(PaintResources::Of(state))
{
}

bool GridPainter::MayDraw()
{
    const auto& g = s_.geo;
    if (!s_.redraw || !g.ready || g.rowRequestActive || g.hwnd == 0 || !IsWindow(g.hwnd))
        return false;
    if (s_.geo.forcePaintOnce) {
        s_.geo.forcePaintOnce = false;
        return true;
    }
    return !(s_.look.columnSizing && !s_.look.immediateColumnResizing);
}

void GridPainter::Draw()
{
    if (!MayDraw())
        return;
    layout::Layout lay(s_);
    DrawContext ctx(s_, res_);
    ctx.enabled = s_.look.enabled;
    ctx.focused = s_.view->HasFocus();
    ctx.rowTextInEffect = lay.RowTextInEffect();
    ctx.headerHeight = lay.HeaderHeight();
    if (s_.look.focusRect)
        ctx.focusBrush.Reset(CreateSolidBrush(RGB(0, 0, 0)));

    WindowDc window(s_.geo.hwnd);
    ctx.window = window.Get();
    res_.theme.Theme().SetHwnd(s_.geo.hwnd);
    res_.picture.Sync(s_.look.backgroundPicture);
    PrepareSurface(ctx);

    lay.RecalcLayout(true);
    // Measured after the layout: before the first one the view is 0 wide, and a
    // narrow band would leave the previous row's pixels in the buffer.
    ctx.band = { 0, 0, s_.geo.viewWidth + s_.geo.scrollX + 24, res_.buffer.Height() };
    core::VisibleRange range = lay.ComputeVisibleRange();
    // Without columns there is nothing to show in a row, so none is requested.
    const bool hasColumns = s_.ColCount() > 0;
    if (hasColumns && s_.geo.isVirtual && s_.geo.moreRows)
        ExtendVirtualRows(range);
    PrepareBrushes(ctx);

    int32_t lastBottom = ctx.headerHeight;
    if (range.EndRow != -1 && hasColumns) {
        ctx.rowTextStart = lay.GetRowTextStart();
        ctx.highlightLeft = s_.columns.At(ctx.rowTextStart.firstSelectablePos).Left - s_.geo.scrollX;
        ctx.lastVisiblePos = lay.LastVisiblePos();
        const core::ColumnData& last = s_.columns.At(ctx.lastVisiblePos);
        ctx.rightEdge = last.Left + last.Width - s_.geo.scrollX;
        lastBottom = PaintRows(ctx, range);
    }
    if (s_.geo.needPaintBelow)
        PaintBelow(ctx, range, lastBottom);
    s_.geo.needFullRedraw = false;
    if (s_.look.columnSizing && !s_.look.immediateColumnResizing)
        s_.view->HeaderRepaint();
}

bool GridPainter::PrepareSurface(DrawContext& ctx)
{
    const HFONT font = res_.fonts.GridFont(s_.font);
    const COLORREF fore = Translate(s_.look.foreColor), back = Translate(s_.look.backColor);
    res_.buffer.Ensure(ctx.window, std::max(s_.defaultRowHeight, 1), fore, back, font);
    ctx.buffered = res_.buffer.Created();
    ctx.surface = ctx.buffered ? res_.buffer.Dc() : ctx.window;
    SelectObject(ctx.surface, font);
    SetBkMode(ctx.surface, TRANSPARENT);
    // Each text sets its own colour; this only shows where one does not.
    SetTextColor(ctx.surface, ctx.enabled ? fore : GetSysColor(COLOR_GRAYTEXT));
    if (!ctx.buffered) {
        RECT client {};
        GetClientRect(s_.geo.hwnd, &client);
        ctx.FillBackground(ctx.window, { client.left, client.top, client.right, client.bottom }, 0, 0);
    }
    return ctx.buffered;
}

void GridPainter::PrepareBrushes(DrawContext& ctx) const
{
    const auto& look = s_.look;
    if (look.gridLines != tvGridLinesNone)
        ctx.gridLineBrush
            = ctx.enabled ? BrushFor(look.gridLineColor) : UniqueGdiObject(GetSysColorBrush(COLOR_GRAYTEXT));
    const uint32_t back = ctx.focused ? look.highlightBackColor : look.highlightBackColorNoFocus;
    ctx.highlightBrush = BrushFor(back);
    ctx.highlightFore = Translate(ctx.focused ? look.highlightForeColor : look.highlightForeColorNoFocus);
}

void GridPainter::ExtendVirtualRows(core::VisibleRange& range) const
{
    if (range.EndY >= s_.geo.viewHeight)
        return;
    if (range.EndRow == -1) {
        range.EndRow = 0;
        range.StartRow = 1;
    }
    while (range.EndY < s_.geo.viewHeight) {
        ++range.EndRow;
        range.EndY += s_.defaultRowHeight;
    }
}

int32_t GridPainter::PaintRows(DrawContext& ctx, const core::VisibleRange& range)
{
    RowPainter painter(ctx);
    int32_t lastBottom = ctx.headerHeight;
    for (int32_t r = std::max(range.StartRow, 1); r <= range.EndRow; ++r) {
        if (r > s_.rowCount && !RequestRow(r))
            break;
        const core::RowData& row = s_.rows.At(r);
        if (!row.Visible)
            continue;
        RowPlan plan;
        plan.row = r;
        plan.clientY = row.Top - s_.geo.scrollY;
        lastBottom = plan.clientY + ctx.headerHeight + row.Height;
        if (!PlanRow(ctx, range, plan))
            continue;
        if (ctx.buffered && row.Height > res_.buffer.Height()) {
            EnsureBufferHeight(row.Height);
            ctx.surface = res_.buffer.Dc();
            ctx.band.bottom = res_.buffer.Height();
        }
        plan.top = ctx.buffered ? 0 : plan.clientY + ctx.headerHeight;
        painter.Paint(plan);
        ++res_.rowsComposed;
        if (ctx.buffered)
            BitBlt(ctx.window, 0, plan.clientY + ctx.headerHeight, s_.geo.viewWidth + std::abs(range.StartX) + 32,
                row.Height, ctx.surface, 0, 0, SRCCOPY);
    }
    return lastBottom;
}

bool GridPainter::RequestRow(int32_t row)
{
    if (s_.ColCount() == 0 || !s_.geo.isVirtual || !s_.geo.moreRows)
        return false;
    core::RequestNextRow(s_, row);
    return s_.geo.moreRows && row <= s_.rowCount;
}

bool GridPainter::PlanRow(const DrawContext& ctx, const core::VisibleRange& range, RowPlan& plan)
{
    const bool overflow = HasNoClipText(s_, plan.row);
    plan.firstPos = overflow ? 1 : range.StartCol;
    plan.lastPos = overflow ? s_.ColCount() : range.EndCol;
    if (range.StartCol < 1 && !overflow)
        plan.lastPos = 0;
    if (!s_.geo.needFullRedraw && !ConsumeMarks(ctx, plan))
        return false;
    if (overflow)
        plan.overflow = ComputeOverflowRects(s_, res_.fonts, ctx.surface, plan.row);
    return true;
}

bool GridPainter::ConsumeMarks(const DrawContext& ctx, const RowPlan& plan) const
{
    bool any = false;
    const auto consume = [&](int32_t colIndex) {
        uint8_t& flags = s_.cells.At(plan.row, colIndex).Flags;
        any = any || (flags & core::CellData::kNeedsRepaint);
        flags &= static_cast<uint8_t>(~core::CellData::kNeedsRepaint);
    };
    if (s_.rows.At(plan.row).IsGroup) {
        if (s_.rowTextCol > 0)
            consume(s_.rowTextCol);
        return any;
    }
    for (int32_t p = std::max(plan.firstPos, 1); p <= plan.lastPos; ++p)
        consume(s_.columns.At(p).Index);
    if (ctx.rowTextInEffect && s_.rowTextCol > 0)
        consume(s_.rowTextCol);
    return any;
}

void GridPainter::PaintBelow(DrawContext& ctx, const core::VisibleRange& range, int32_t lastBottom) const
{
    RECT wr {}, client {};
    GetWindowRect(s_.geo.hwnd, &wr);
    GetClientRect(s_.geo.hwnd, &client);
    const int32_t controlHeight = wr.bottom - wr.top;
    s_.geo.needPaintBelow = false;
    if (lastBottom + 1 >= controlHeight)
        return;
    const int32_t lines = s_.look.gridLines, extend = s_.look.gridLinesExtend;
    if (lines != tvGridLinesNone && (extend == tvGridLinesExtendDown || extend == tvGridLinesExtendBoth)) {
        PaintGhostRows(ctx, range, lastBottom, controlHeight);
        return;
    }
    ctx.FillBackground(ctx.window, { 0, lastBottom, s_.geo.viewWidth + 32, client.bottom }, 0, -ctx.headerHeight);
}

void GridPainter::PaintGhostRows(DrawContext& ctx, const core::VisibleRange& range, int32_t top, int32_t limit) const
{
    const int32_t h = s_.defaultRowHeight;
    const int32_t width = std::max(ctx.band.right, s_.geo.viewWidth + 32);
    for (; top <= limit; top += h) {
        const HDC hdc = ctx.buffered ? ctx.surface : ctx.window;
        const int32_t y = ctx.buffered ? 0 : top;
        ctx.FillBackground(hdc, { 0, y, width, y + h }, 0, top - ctx.headerHeight - y);
        for (int32_t p = std::max(range.StartCol, 1); p <= range.EndCol; ++p) {
            const core::ColumnData& c = s_.columns.At(p);
            if (!c.Visible || c.IsRowTextCol)
                continue;
            const int32_t left = c.Left - s_.geo.scrollX;
            ctx.DrawGridLineFrame(hdc, { left, y, left + c.Width, y + h }, false);
        }
        ctx.DrawExtensionLine(hdc, y + h);
        if (ctx.buffered)
            BitBlt(ctx.window, 0, top, width, h, ctx.surface, 0, 0, SRCCOPY);
    }
}

void GridPainter::EnsureBufferHeight(int32_t height)
{
    res_.buffer.Ensure(0, std::max(height, 1), Translate(s_.look.foreColor), Translate(s_.look.backColor),
        res_.fonts.GridFont(s_.font));
}

void GridPainter::MarkAllVisibleCellsChanged()
{
    // After a scroll or resize the cache still names the old rows, and the view
    // size it would be recomputed from is only known once Draw has laid out:
    // then the next Draw repaints every row it finds in view.
    if (s_.geo.rangeState != core::RangeState::Valid)
        s_.geo.needFullRedraw = true;
    core::MarkAllVisibleCellsChanged(s_);
}

void GridPainter::Paint()
{
    if (!s_.redraw || !s_.geo.ready)
        return;
    MarkAllVisibleCellsChanged();
    s_.geo.needPaintBelow = true;
    s_.geo.forcePaintOnce = true;
    if (res_.buffer.Height() < s_.defaultRowHeight)
        EnsureBufferHeight(s_.defaultRowHeight);
    Draw();
}

HDC GridPainter::MeasuringDc()
{
    if (!res_.buffer.Created())
        EnsureBufferHeight(s_.defaultRowHeight);
    return res_.buffer.Dc();
}

std::vector<OverflowRect> GridPainter::OverflowRects(int32_t row)
{
    const HDC hdc = MeasuringDc();
    SelectObject(hdc, res_.fonts.GridFont(s_.font));
    return ComputeOverflowRects(s_, res_.fonts, hdc, row);
}

void GridPainter::SetSearchHighlight(int32_t row, int32_t colIndex, int32_t prefixLength)
{
    s_.look.search = { { row, colIndex }, prefixLength };
}

void GridPainter::RefreshTheme()
{
    res_.theme.Theme().SetHwnd(s_.geo.hwnd);
    res_.theme.SetUseXPStyles(s_.look.useXPStyles, MeasuringDc());
    s_.geo.needFullRedraw = true;
    Draw();
    if (s_.geo.hwnd != 0)
        SetWindowPos(s_.geo.hwnd, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void GridPainter::OnThemeChanged()
{
    s_.view->HeaderRepaint();
    if (s_.headerAutoHeightFlags & tvHAHOnThemeChange)
        s_.view->HeaderAutoHeight(tvHAHOnThemeChange);
    RefreshTheme();
    if (TavixEvents* sink = s_.host->EventSink())
        sink->WindowsThemeChanged(ThemeState::AppThemed());
}

}  // namespace tavix::paint
