#include "header/grid_header.h"

#include "core/shift_state.h"
#include "paint/paint_resources.h"

#include <tavix/events.h>
#include <tavix/native/text.h>
#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

#include <algorithm>
#include <limits>

namespace tavix::header {

using namespace native;

namespace {

FontRef DefaultHeaderFont() { return FontRef("MS Sans Serif", 8.25); }

}  // namespace

GridHeader::GridHeader(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter,
    paint::AutoSizer& sizer, sort::GridSorter& sorter)
    : table_(table)
    , layout_(layout)
    , painter_(painter)
    , sizer_(sizer)
    , sorter_(sorter)
    , control_(table, *this)
{
    SetFont(DefaultHeaderFont());
    SetSortInfoFont(DefaultHeaderFont());
}

GridHeader::~GridHeader() { Detach(); }

void GridHeader::Attach(HWND gridWindow, bool runMode)
{
    control_.Attach(gridWindow, runMode);
    ApplyFonts();
    if (runMode)
        RecreateControl();
    if (AutoHeightOn(tvHAHOnAddCol))
        AutoHeight();
    Place();
}

void GridHeader::Detach()
{
    if (lineX_ >= 0)
        InvertTrackingLine(lineX_);
    lineX_ = -1;
    control_.DestroyWindow();
}

void GridHeader::Place()
{
    const HWND grid = layout_.Window();
    if (grid == 0 || control_.Window() == 0)
        return;
    RECT client {};
    GetClientRect(grid, &client);
    const int32_t scrollX = control_.Visible() ? layout_.ScrollX() : 0;
    control_.SetPosition(-scrollX, 0, client.right + scrollX, control_.Height());
}

void GridHeader::ApplyFonts()
{
    textFont_ = paint::FontCache::Create(font_);
    sortFont_ = paint::FontCache::Create(sortInfoFont_);
    control_.SetFonts(textFont_.Get(), sortFont_.Get());
}

void GridHeader::SetFont(const FontRef& font)
{
    font_ = font.Clone();
    fontWatch_ = font_.OnChanged([this] { ApplyFonts(); });
    ApplyFonts();
}

void GridHeader::SetSortInfoFont(const FontRef& font)
{
    sortInfoFont_ = font.Clone();
    sortInfoFontWatch_ = sortInfoFont_.OnChanged([this] { ApplyFonts(); });
    ApplyFonts();
}

void GridHeader::SetImmediateColumnResizing(bool immediate)
{
    immediateColumnResizing_ = immediate;
    if (painter_.Supports(tvSupFeatImmedColResizing).value_or(false)) {
        control_.Settings().immediateColumnResizing = immediate;
        control_.ApplyStyles();
    }
}

void GridHeader::SetEnabled(bool enabled) { control_.SetEnabled(enabled); }

int32_t GridHeader::PositionOf(int32_t item) const
{
    const int32_t position = item >= 0 ? control_.ItemData(item) : 0;
    return position >= 1 && position <= table_.ColCount() ? position : 0;
}

int32_t GridHeader::ColumnOf(int32_t item) const
{
    const int32_t position = PositionOf(item);
    return position > 0 ? table_.Column(position).Index : 0;
}

void GridHeader::ItemInserted(int32_t headerPlace, int32_t position, int32_t width)
{
    control_.InsertItem(width, position, headerPlace);
}

void GridHeader::ItemRemoved(int32_t position)
{
    if (const int32_t item = control_.FindItem(position); item >= 0)
        control_.DeleteItem(item);
}

void GridHeader::AllItemsRemoved()
{
    for (int32_t item = control_.ItemCount() - 1; item >= 0; --item)
        control_.DeleteItem(item);
}

void GridHeader::ItemMoved(int32_t from, int32_t to, int32_t headerPlace)
{
    const int32_t item = control_.FindItem(from);
    if (item >= 0 && headerPlace >= 0) {
        const int32_t width = control_.ItemWidth(item);
        control_.DeleteItem(item);
        control_.InsertItem(width, from, headerPlace);
    }
    // The positions between close the gap the moved column leaves.
    for (int32_t i = 0; i < control_.ItemCount(); ++i) {
        const int32_t p = control_.ItemData(i);
        if (p == from)
            control_.SetItemData(i, to);
        else if (from < to && p > from && p <= to)
            control_.SetItemData(i, p - 1);
        else if (to < from && p >= to && p < from)
            control_.SetItemData(i, p + 1);
    }
}

void GridHeader::ItemsRenumbered(int32_t fromPosition, int32_t delta)
{
    for (int32_t i = 0; i < control_.ItemCount(); ++i)
        if (const int32_t p = control_.ItemData(i); p >= fromPosition)
            control_.SetItemData(i, p + delta);
}

void GridHeader::ItemResized(int32_t position, int32_t width)
{
    if (const int32_t item = control_.FindItem(position); item >= 0)
        control_.SetItemWidth(item, width);
}

void GridHeader::ItemChanged(int32_t position) { control_.RepaintItem(control_.FindItem(position)); }

void GridHeader::AutoHeight()
{
    // Fitting measures every item: while nothing is drawn, columns added one by
    // one are measured once, when the height is next needed.
    autoHeightPending_ = true;
    if (table_.Redraw())
        ResolveAutoHeight();
}

void GridHeader::ResolveAutoHeight()
{
    if (!autoHeightPending_)
        return;
    autoHeightPending_ = false;
    control_.AutoHeight();
}

int32_t GridHeader::Height()
{
    if (control_.Window() == 0 || !control_.Visible())
        return 0;
    if (table_.Redraw())
        ResolveAutoHeight();
    return control_.Height();
}

void GridHeader::HeightChanged()
{
    Place();
    table_.LayoutChanged();
}

int32_t GridHeader::WindowHeight()
{
    ResolveAutoHeight();
    return control_.Height();
}

int32_t GridHeader::NeededWidth(int32_t position)
{
    const int32_t item = control_.FindItem(position);
    if (item < 0)
        return 0;
    int32_t width = 0, height = 0;
    control_.CalcItemAutoSize(item, width, height, 0, false);
    return width;
}

void GridHeader::ColumnClick(int32_t item, int32_t x, int32_t y)
{
    if (const int32_t col = ColumnOf(item); col > 0)
        sorter_.HeaderClick(col, core::ShiftState(), x, y);
}

void GridHeader::ColumnDblClick(int32_t item) { table_.Events().ColHeaderDblClick(ColumnOf(item)); }

void GridHeader::ColumnBeginDrag(int32_t item, bool& cancel)
{
    table_.Editor().CancelEdit();
    table_.Events().ColHeaderBeginDrag(ColumnOf(item), cancel);
}

void GridHeader::ColumnEndDrag(int32_t item, int32_t newOrder, bool& cancel)
{
    const int32_t from = PositionOf(item);
    if (newOrder < 0 || from == 0)
        return;
    // The target is the place of the (newOrder + 1)-th column the header shows.
    int32_t target = 0;
    for (int32_t p = 1, shown = 0; p <= table_.ColCount() && target == 0; ++p) {
        const core::ColumnData& c = table_.Column(p);
        if (c.Visible && !c.IsRowTextCol && shown++ == newOrder)
            target = p;
    }
    if (target == 0 || target == from)
        return;
    const int32_t col = table_.Column(from).Index;
    const core::ShapeWatch watch(table_);
    table_.Events().ColHeaderEndDrag(col, table_.Column(target).Index, cancel);
    // A handler that changed the columns has had the header follow them: the drop
    // names places that have moved, and is dropped.
    if (watch.Changed())
        cancel = true;
    if (cancel)
        return;
    // Moving the column moves its header item too, so the native header keeps its own order.
    table_.SetColOrder(GridVariant(col), target);
    cancel = true;
}

void GridHeader::StartColumnWidthChange(int32_t item, int32_t width, bool& cancel)
{
    table_.Editor().CancelEdit();
    const int32_t position = PositionOf(item);
    if (position == 0)
        return;
    const core::ShapeWatch watch(table_);
    table_.Events().StartColWidthChange(table_.Column(position).Index, width);
    // The handler added, removed or moved columns: the item may show another column now.
    if (watch.Changed()) {
        cancel = true;
        return;
    }
    const core::ColumnData& c = table_.Column(position);
    resizing_ = true;
    ConfinePointer(c, width);
    if (!immediateColumnResizing_) {
        painter_.SetCellsDeferredBySizing(true);
        lineX_ = c.Left - layout_.ScrollX() + c.Width;
        InvertTrackingLine(lineX_);
    }
}

void GridHeader::ColumnWidthChanging(int32_t item, int32_t width)
{
    const int32_t position = PositionOf(item);
    if (position == 0)
        return;
    const int32_t col = table_.Column(position).Index;
    if (immediateColumnResizing_) {
        const core::ShapeWatch watch(table_);
        table_.Events().ColWidthChanging(col, width);
        // A handler that changed the columns may have left `col` naming another one.
        if (watch.Changed())
            return;
        table_.SetColWidth(GridVariant(col), width);
        painter_.Draw();
        return;
    }
    if (lineX_ >= 0)
        InvertTrackingLine(lineX_);
    lineX_ = table_.Column(position).Left - layout_.ScrollX() + width;
    InvertTrackingLine(lineX_);
    table_.Events().ColWidthChanging(col, width);
}

void GridHeader::ColumnWidthChanged(int32_t item, int32_t width)
{
    ClipCursor(nullptr);
    if (lineX_ >= 0)
        InvertTrackingLine(lineX_);
    lineX_ = -1;
    resizing_ = false;
    painter_.SetCellsDeferredBySizing(false);
    const int32_t position = PositionOf(item);
    if (position == 0 || width == table_.Column(position).Width)
        return;
    const int32_t col = table_.Column(position).Index;
    table_.SetColWidth(GridVariant(col), width);
    painter_.Draw();
    table_.Events().ColWidthChanged(col, width);
}

void GridHeader::DividerDblClick(int32_t item)
{
    table_.Editor().CancelEdit();
    const int32_t col = ColumnOf(item);
    if (col == 0)
        return;
    bool doDefault = true;
    const core::ShapeWatch watch(table_);
    table_.Events().ColDividerDblClick(col, doDefault);
    // The handler may have removed the column, or renumbered it by removing another.
    if (!doDefault || watch.Changed())
        return;
    sizer_.AutoWidthCol(col);
    painter_.Draw();
    table_.Events().ColWidthChanged(col, table_.Column(table_.Columns().PositionOfIndex(col)).Width);
}

void GridHeader::RightClick(int32_t x, int32_t y)
{
    table_.Editor().CancelEdit();
    int32_t col = 0;
    int32_t right = 0;
    for (int32_t p = 1; p <= table_.ColCount() && col == 0; ++p) {
        const core::ColumnData& c = table_.Column(p);
        if (!c.Visible || c.IsRowTextCol)
            continue;
        right += c.Width;
        if (right > x)
            col = c.Index;
    }
    table_.Events().HeaderRightClick(col, core::ShiftState(), x, y);
}

void GridHeader::RecreateControl()
{
    for (int32_t p = 1; p <= table_.ColCount(); ++p) {
        const core::ColumnData& c = table_.Column(p);
        if (c.Visible && !c.IsRowTextCol)
            control_.InsertItem(c.Width, p, -1);
    }
}

void GridHeader::MouseActivate(bool& noActivate)
{
    // A press on the edited cell beside its editor (an icon, the margins) would commit
    // the edit; it is swallowed so that editing goes on.
    const HWND grid = layout_.Window();
    if (!table_.Editor().EditActive() || !table_.HasCurrentCell() || grid == 0)
        return;
    POINT pt;
    GetCursorPos(&pt);
    // Over the editor, the header or another child, the press is theirs.
    if (WindowFromPoint(pt) != grid)
        return;
    ScreenToClient(grid, &pt);
    RECT client {};
    GetClientRect(grid, &client);
    const layout::CellRect cell = layout_.CellBoundary(table_.CurRow(), table_.CurCol());
    const auto inside = [&pt](int32_t left, int32_t top, int32_t right, int32_t bottom) {
        return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
    };
    noActivate = inside(client.left, client.top, client.right, client.bottom)
        && inside(cell.left, cell.top, cell.left + cell.width, cell.top + cell.height);
}

void GridHeader::ColumnMouseEnter(int32_t item) { table_.Events().ColHeaderMouseEnter(ColumnOf(item)); }
void GridHeader::ColumnMouseLeave(int32_t item) { table_.Events().ColHeaderMouseLeave(ColumnOf(item)); }

void GridHeader::InvertTrackingLine(int32_t x) const
{
    const HWND grid = layout_.Window();
    if (grid == 0)
        return;
    RECT client {};
    GetClientRect(grid, &client);
    const int32_t top = control_.Visible() ? control_.Height() : 0;
    const HDC hdc = GetDC(grid);
    PatBlt(hdc, x, top, 1, client.bottom - top, DSTINVERT);
    ReleaseDC(grid, hdc);
}

void GridHeader::ConfinePointer(const core::ColumnData& column, int32_t width) const
{
    if (column.MinWidth <= -1 && column.MaxWidth <= -1)
        return;
    POINT pointer;
    GetCursorPos(&pointer);
    RECT limits { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    if (column.MinWidth > -1)
        limits.left = pointer.x + (column.MinWidth - width);
    if (column.MaxWidth > -1)
        limits.right = pointer.x + (column.MaxWidth - width) + 1;
    ClipCursor(&limits);
}

}  // namespace tavix::header
