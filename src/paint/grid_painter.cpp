#include "paint/grid_painter.h"

#include "paint/draw_context.h"
#include "paint/row_painter.h"

#include <tavix/enums.h>
#include <tavix/events.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

#include <algorithm>

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

bool HasNoClipText(const core::GridTable& t, int32_t row)
{
    for (int32_t p = 1; p <= t.ColCount(); ++p) {
        const core::ColumnData& c = t.Column(p);
        if (!c.Visible || c.Width <= 0 || c.IsRowTextCol)
            continue;
        const core::CellData& cell = t.Cell(row, c.Index);
        if ((cell.Flags & core::CellData::kTypeMask) == tvCellText && (t.Look(cell).TextFlags & tvTextNoClip))
            return true;
    }
    return false;
}

}  // namespace

GridPainter::GridPainter(core::GridTable& table, layout::ViewLayout& layout)
    : table_(table)
    , layout_(layout)
{
}

bool GridPainter::HasFocus() const { return layout_.Window() != 0 && GetFocus() == layout_.Window(); }

bool GridPainter::MayDraw()
{
    const HWND hwnd = layout_.Window();
    if (!table_.Redraw() || !table_.Ready() || table_.RowRequestActive() || hwnd == 0 || !IsWindow(hwnd))
        return false;
    if (forcePaintOnce_) {
        forcePaintOnce_ = false;
        return true;
    }
    return !cellsDeferred_;
}

void GridPainter::Draw()
{
    if (!MayDraw())
        return;
    DrawContext ctx(*this, table_, layout_, res_);
    ctx.enabled = look_.enabled;
    ctx.focused = HasFocus();
    ctx.rowTextInEffect = layout_.RowTextInEffect();
    ctx.headerHeight = layout_.HeaderHeight();
    if (look_.focusRect)
        ctx.focusBrush.Reset(CreateSolidBrush(RGB(0, 0, 0)));

    WindowDc window(layout_.Window());
    ctx.window = window.Get();
    res_.theme.Theme().SetHwnd(layout_.Window());
    res_.picture.Sync(look_.backgroundPicture);
    PrepareSurface(ctx);

    layout_.RecalcLayout(true);
    // Measured after the layout: before the first one the view is 0 wide, and a
    // narrow band would leave the previous row's pixels in the buffer.
    ctx.band = { 0, 0, layout_.ViewWidth() + layout_.ScrollX() + 24, res_.buffer.Height() };
    layout::VisibleRange range = layout_.ComputeVisibleRange();
    // Without columns there is nothing to show in a row, so none is requested.
    const bool hasColumns = table_.ColCount() > 0;
    if (hasColumns && table_.IsVirtual() && table_.MoreRows())
        ExtendVirtualRows(range);
    PrepareBrushes(ctx);

    int32_t lastBottom = ctx.headerHeight;
    if (range.EndRow != -1 && hasColumns) {
        ctx.rowTextStart = layout_.GetRowTextStart();
        ctx.highlightLeft = table_.Column(ctx.rowTextStart.firstSelectablePos).Left - layout_.ScrollX();
        ctx.lastVisiblePos = layout_.LastVisiblePos();
        const core::ColumnData& last = table_.Column(ctx.lastVisiblePos);
        ctx.rightEdge = last.Left + last.Width - layout_.ScrollX();
        lastBottom = PaintRows(ctx, range);
    }
    // A row request's handler changed the grid: what was laid out is stale, and
    // the next Draw paints it anew.
    if (rowsChanged_) {
        rowsChanged_ = false;
        MarkLayoutStale();
        return;
    }
    if (needPaintBelow_)
        PaintBelow(ctx, range, lastBottom);
    needFullRedraw_ = false;
    // A paint forced during a divider drag overwrote the header's tracking line.
    if (cellsDeferred_)
        table_.Header().Repaint();
}

void GridPainter::PrepareSurface(DrawContext& ctx)
{
    const HFONT font = res_.fonts.GridFont(table_.GridFont());
    const COLORREF fore = Translate(look_.foreColor), back = Translate(look_.backColor);
    res_.buffer.Ensure(ctx.window, BufferHeightFor(table_.DefaultRowHeight()), fore, back, font);
    ctx.buffered = res_.buffer.Created();
    ctx.surface = ctx.buffered ? res_.buffer.Dc() : ctx.window;
    SelectObject(ctx.surface, font);
    SetBkMode(ctx.surface, TRANSPARENT);
    // Each text sets its own colour; this only shows where one does not.
    SetTextColor(ctx.surface, ctx.enabled ? fore : GetSysColor(COLOR_GRAYTEXT));
    if (!ctx.buffered) {
        RECT client {};
        GetClientRect(layout_.Window(), &client);
        ctx.FillBackground(ctx.window, { client.left, client.top, client.right, client.bottom }, 0, 0);
    }
}

void GridPainter::PrepareBrushes(DrawContext& ctx) const
{
    if (look_.gridLines != tvGridLinesNone)
        ctx.gridLineBrush
            = ctx.enabled ? BrushFor(look_.gridLineColor) : UniqueGdiObject(GetSysColorBrush(COLOR_GRAYTEXT));
    const OleColor back = ctx.focused ? look_.highlightBackColor : look_.highlightBackColorNoFocus;
    ctx.highlightBrush = BrushFor(back);
    ctx.highlightFore = Translate(ctx.focused ? look_.highlightForeColor : look_.highlightForeColorNoFocus);
}

void GridPainter::ExtendVirtualRows(layout::VisibleRange& range) const
{
    if (range.EndY >= layout_.ViewHeight())
        return;
    if (range.EndRow == -1) {
        range.EndRow = 0;
        range.StartRow = 1;
    }
    // The view's height at most: a huge default row height cannot overflow EndY.
    const int32_t step = std::max(std::min(layout_.ViewHeight(), table_.DefaultRowHeight()), 1);
    while (range.EndY < layout_.ViewHeight()) {
        ++range.EndRow;
        range.EndY += step;
    }
}

int32_t GridPainter::PaintRows(DrawContext& ctx, const layout::VisibleRange& range)
{
    RowPainter painter(ctx);
    int32_t lastBottom = ctx.headerHeight;
    for (int32_t r = std::max(range.StartRow, 1); r <= range.EndRow; ++r) {
        if (r > table_.RowCount() && !RequestRow(r))
            break;
        const core::RowData& row = table_.Row(r);
        if (!row.Visible)
            continue;
        RowPlan plan;
        plan.row = r;
        plan.clientY = row.Top - layout_.ScrollY();
        lastBottom = plan.clientY + ctx.headerHeight + row.Height;
        if (!PlanRow(ctx, range, plan))
            continue;
        // The buffer holds the part of the row the view shows, composed from where
        // the view's top cuts it, so no row makes it taller than the view.
        const int32_t shownTop = std::max(plan.clientY, 0);
        const int32_t shown = std::min(row.Height - (shownTop - plan.clientY), BufferHeightFor(row.Height));
        if (ctx.buffered && shown > res_.buffer.Height()) {
            EnsureBufferHeight(shown);
            ctx.surface = res_.buffer.Dc();
            ctx.band.bottom = res_.buffer.Height();
        }
        plan.top = ctx.buffered ? plan.clientY - shownTop : plan.clientY + ctx.headerHeight;
        painter.Paint(plan);
        ++res_.rowsComposed;
        if (ctx.buffered)
            BitBlt(ctx.window, 0, shownTop + ctx.headerHeight, layout_.ViewWidth() + std::abs(range.StartX) + 32, shown,
                ctx.surface, 0, 0, SRCCOPY);
    }
    return lastBottom;
}

bool GridPainter::RequestRow(int32_t row)
{
    if (table_.ColCount() == 0 || !table_.IsVirtual() || !table_.MoreRows())
        return false;
    if (!table_.RequestNextRow(row)) {
        rowsChanged_ = true;
        return false;
    }
    return table_.MoreRows() && row <= table_.RowCount();
}

bool GridPainter::PlanRow(const DrawContext& ctx, const layout::VisibleRange& range, RowPlan& plan)
{
    const bool overflow = HasNoClipText(table_, plan.row);
    plan.firstPos = overflow ? 1 : range.StartCol;
    plan.lastPos = overflow ? table_.ColCount() : range.EndCol;
    if (range.StartCol < 1 && !overflow)
        plan.lastPos = 0;
    if (!needFullRedraw_ && !ConsumeMarks(ctx, plan))
        return false;
    if (overflow)
        plan.overflow = ComputeOverflowRects(table_, layout_, look_.iconWidth, res_.fonts, ctx.surface, plan.row);
    return true;
}

bool GridPainter::ConsumeMarks(const DrawContext& ctx, const RowPlan& plan)
{
    bool any = false;
    const auto consume = [&](int32_t colIndex) { any = table_.TakeRepaintMark(plan.row, colIndex) || any; };
    const int32_t rowTextCol = table_.RowTextCol();
    // A group row shows its row-text cell; without a row-text column it shows
    // none, and its own cells' marks tell that what was drawn there went stale.
    if (table_.Row(plan.row).IsGroup && rowTextCol > 0) {
        consume(rowTextCol);
        return any;
    }
    for (int32_t p = std::max(plan.firstPos, 1); p <= plan.lastPos; ++p)
        consume(table_.Column(p).Index);
    if (ctx.rowTextInEffect && rowTextCol > 0)
        consume(rowTextCol);
    return any;
}

void GridPainter::PaintBelow(DrawContext& ctx, const layout::VisibleRange& range, int32_t lastBottom)
{
    RECT wr {}, client {};
    GetWindowRect(layout_.Window(), &wr);
    GetClientRect(layout_.Window(), &client);
    const int32_t controlHeight = wr.bottom - wr.top;
    needPaintBelow_ = false;
    if (lastBottom + 1 >= controlHeight)
        return;
    if (look_.gridLines != tvGridLinesNone && look_.LinesExtendDown()) {
        PaintGhostRows(ctx, range, lastBottom, controlHeight);
        return;
    }
    ctx.FillBackground(ctx.window, { 0, lastBottom, layout_.ViewWidth() + 32, client.bottom }, 0, -ctx.headerHeight);
}

void GridPainter::PaintGhostRows(DrawContext& ctx, const layout::VisibleRange& range, int32_t top, int32_t limit) const
{
    const int32_t width = std::max(ctx.band.right, layout_.ViewWidth() + 32);
    // Ghost rows end below the control: a taller default height is cut there, so
    // positions stay in range and the buffer holds the row.
    const int32_t h = std::min(table_.DefaultRowHeight(), limit + 1);
    for (; top <= limit; top += h) {
        const HDC hdc = ctx.buffered ? ctx.surface : ctx.window;
        const int32_t y = ctx.buffered ? 0 : top;

        ctx.FillBackground(hdc, { 0, y, width, y + h }, 0, top - ctx.headerHeight - y);
        for (int32_t p = std::max(range.StartCol, 1); p <= range.EndCol; ++p) {
            const core::ColumnData& c = table_.Column(p);
            if (!c.Visible || c.IsRowTextCol)
                continue;
            const int32_t left = c.Left - layout_.ScrollX();
            ctx.DrawGridLineFrame(hdc, { left, y, left + c.Width, y + h }, false);
        }
        ctx.DrawExtensionLine(hdc, y + h);
        if (ctx.buffered)
            BitBlt(ctx.window, 0, top, width, std::min(h, res_.buffer.Height()), ctx.surface, 0, 0, SRCCOPY);
    }
}

int32_t GridPainter::BufferHeightFor(int32_t rowHeight) const
{
    RECT client {};
    GetClientRect(layout_.Window(), &client);
    return std::clamp(rowHeight, 1, std::max<int32_t>(client.bottom - client.top, 1));
}

void GridPainter::EnsureBufferHeight(int32_t height)
{
    res_.buffer.Ensure(0, BufferHeightFor(height), Translate(look_.foreColor), Translate(look_.backColor),
        res_.fonts.GridFont(table_.GridFont()));
}

void GridPainter::MarkLayoutStale()
{
    layout_.InvalidateRange(core::RangeChange::Recompute);
    needFullRedraw_ = true;
    // Rows may have gone: what they covered now belongs to the area below.
    needPaintBelow_ = true;
}

void GridPainter::DefaultRowHeightChanged()
{
    // Rows keep their heights; the ghost rows below the last row and the
    // row-text band are drawn with the default height.
    const bool ghostLines = look_.HorizontalLines() && look_.LinesExtendDown();
    if (ghostLines || (table_.DrawRowText() && table_.RowTextCol() > 0))
        table_.LayoutChanged();
}

void GridPainter::MarkViewMoved()
{
    MarkAllVisibleCellsChanged();
    needPaintBelow_ = true;
}

void GridPainter::MarkAllVisibleCellsChanged()
{
    // After a scroll or resize the cache still names the old rows, and the view
    // size it would be recomputed from is only known once Draw has laid out:
    // then the next Draw repaints every row it finds in view.
    if (!layout_.RangeValid())
        needFullRedraw_ = true;
    const layout::VisibleRange& r = layout_.CachedRange();
    table_.MarkCellsChanged(r.StartRow - 1, r.EndRow, r.StartCol, r.EndCol);
}

void GridPainter::Paint()
{
    if (!table_.Redraw() || !table_.Ready())
        return;
    MarkAllVisibleCellsChanged();
    needPaintBelow_ = true;
    forcePaintOnce_ = true;
    if (res_.buffer.Height() < BufferHeightFor(table_.DefaultRowHeight()))
        EnsureBufferHeight(table_.DefaultRowHeight());
    Draw();
}

HDC GridPainter::MeasuringDc()
{
    if (!res_.buffer.Created())
        EnsureBufferHeight(table_.DefaultRowHeight());
    SelectObject(res_.buffer.Dc(), res_.fonts.GridFont(table_.GridFont()));
    return res_.buffer.Dc();
}

std::vector<OverflowRect> GridPainter::OverflowRects(int32_t row)
{
    const HDC hdc = MeasuringDc();
    return ComputeOverflowRects(table_, layout_, look_.iconWidth, res_.fonts, hdc, row);
}

void GridPainter::SetHotControl(core::CellRef cell, bool hot)
{
    const core::CellRef previous = hotControl_;
    hotControl_ = hot ? cell : core::CellRef {};
    bool marked = false;
    for (const core::CellRef c : { previous, hotControl_ }) {
        if (table_.HasCell(c.row, c.colIndex)) {
            table_.MarkCellChanged(c.row, c.colIndex);
            marked = true;
        }
    }
    if (marked)
        Draw();
}

bool GridPainter::ShowsCellControl(int32_t row, int32_t colIndex) const
{
    if (editing_ != nullptr && !editing_->Editable())
        return false;
    if (row == table_.CurRow() && colIndex == table_.CurCol())
        return true;
    return look_.showControlsInAllCells;
}

void GridPainter::SetEnabled(bool enabled)
{
    look_.enabled = enabled;
    if (!table_.GetHost().UserMode())
        return;
    needFullRedraw_ = true;
    needPaintBelow_ = true;
    for (int32_t r = 1; r <= table_.RowCount(); ++r)
        table_.MarkRowChanged(r);
    Draw();
    Paint();
}

void GridPainter::SetBackgroundPicture(SurfacePtr picture)
{
    look_.backgroundPicture = picture && picture->Width() > 0 ? std::move(picture) : nullptr;
    // No repaint flag is set: the whole view is painted as the window would be.
    Paint();
}

void GridPainter::SetImageList(int32_t handle)
{
    look_.imageList = handle;
    ImageList_GetIconSize(handle, &look_.iconWidth, &look_.iconHeight);
}

void GridPainter::SetUseXPStyles(bool use)
{
    // No visual-style engine here: there are no window themes to switch, only
    // the control images to redraw in the look now chosen.
    look_.useXPStyles = use;
    RefreshTheme();
}

std::optional<bool> GridPainter::Supports(int32_t feature)
{
    const scroll::ScrollBars* bars = layout_.Bars();
    res_.theme.SetFlatScrollBarsUsable(bars != nullptr && bars->CanBeFlat());
    return res_.theme.Supports(feature);
}

void GridPainter::RefreshTheme()
{
    const HWND hwnd = layout_.Window();
    res_.theme.Theme().SetHwnd(hwnd);
    res_.theme.SetUseXPStyles(look_.useXPStyles, MeasuringDc());
    needFullRedraw_ = true;
    Draw();
    if (hwnd != 0)
        SetWindowPos(hwnd, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void GridPainter::OnThemeChanged()
{
    table_.Header().Repaint();
    if (table_.Header().AutoHeightOn(tvHAHOnThemeChange))
        table_.Header().AutoHeight();
    RefreshTheme();
    table_.Events().WindowsThemeChanged(ThemeState::AppThemed());
}

layout::CellRect GridPainter::CellTextRect(int32_t row, int32_t colIndex)
{
    std::optional<std::pair<int32_t, int32_t>> room;
    if ((table_.CellLookAt(row, colIndex).TextFlags & tvTextNoClip) != 0) {
        const auto rects = OverflowRects(row);
        const auto position = static_cast<size_t>(table_.Columns().PositionOfIndex(colIndex));
        if (position < rects.size())
            room = std::make_pair(rects[position].left, rects[position].right);
    }
    return layout_.CellTextBoundary(row, colIndex, look_.iconWidth, room);
}

SharedFont GridPainter::CellFont(int16_t fontIndex)
{
    if (SharedFont font = res_.fonts.SharedCellFont(table_.Fonts(), fontIndex))
        return font;
    return res_.fonts.SharedGridFont(table_.GridFont());
}

}  // namespace tavix::paint
