#pragma once
// The grid's table model: columns, rows, the cell matrix, the row key index, the
// font and format pools, the combo lists, the current cell and the grid-wide
// switches the table operations read. Only this class writes them; the subsystems
// above read through the const accessors and change the table through its
// operations, and the table reaches them through the listeners it is wired to.
#include "core/cell_matrix.h"
#include "core/column_table.h"
#include "core/font_pool.h"
#include "core/format_pool.h"
#include "core/row_key_index.h"
#include "core/row_table.h"
#include "core/table_listeners.h"

#include <tavix/combos.h>
#include <tavix/font.h>
#include <tavix/host.h>
#include <tavix/variant.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace tavix {
struct AddColArgs;
struct AddRowArgs;
}  // namespace tavix

namespace tavix::core {

class GridTable;

// Events are raised in the middle of operations, and their handlers may call back
// into the grid and change it. The rule for every loop or sequence that raises an
// event: after each raise it re-reads the counts and the current cell rather than
// trusting what it read before, and when a ShapeWatch taken before the first raise
// says rows or columns were added, removed or reordered, the row numbers and column
// indices it still holds may name other cells or none, and it stops there. What the
// handler changed stands; the table's own operations keep it consistent.
class ShapeWatch {
public:
    explicit ShapeWatch(const GridTable& table);
    bool Changed() const;

private:
    const GridTable& table_;
    uint64_t shape_;
};

// A cell named by row number and column index; 0, 0 is none.
struct CellRef {
    int32_t row { 0 };
    int32_t colIndex { 0 };
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

// Where a restored column layout puts a column, in display order.
struct ColumnPlacement {
    int32_t index { 0 };
    int32_t width { 0 };
    bool visible { true };
};

class GridTable {
public:
    static constexpr int32_t kDefaultColumnWidth { 64 };

    explicit GridTable(Host& host);
    GridTable(const GridTable&) = delete;
    GridTable& operator=(const GridTable&) = delete;

    struct Listeners {
        EditSession& editor;
        HeaderItems& header;
        LayoutUpdates& layout;
        RepaintRequests& painter;
        ComboListMetrics& comboLists;
    };
    // Wiring: the subsystems above the table exist only after it.
    void Connect(const Listeners& listeners)
    {
        listeners_.emplace(listeners);
        combos_.Connect(listeners.comboLists);
    }
    EditSession& Editor() const { return listeners_->editor; }
    HeaderItems& Header() const { return listeners_->header; }
    LayoutUpdates& Layout() const { return listeners_->layout; }
    RepaintRequests& Painter() const { return listeners_->painter; }

    Host& GetHost() const { return *host_; }
    TavixEvents& Events() const { return host_->Events(); }

    // The tables, read-only.
    const ColumnTable& Columns() const { return columns_; }
    const ColumnData& Column(int32_t position) const { return columns_.At(position); }
    const RowData& Row(int32_t row) const { return rows_.At(row); }
    const CellData& Cell(int32_t row, int32_t colIndex) const { return cells_.At(row, colIndex); }
    const CellLook& Look(const CellData& cell) const { return cells_.LookOf(cell); }
    const CellLook& CellLookAt(int32_t row, int32_t colIndex) const { return Look(Cell(row, colIndex)); }
    const CellMatrix& Cells() const { return cells_; }
    const RowKeyIndex& RowKeys() const { return rowKeys_; }
    const FontPool& Fonts() const { return fonts_; }
    const FormatPool& Formats() const { return formats_; }
    const CombosObject& Combos() const { return combos_; }
    CombosObject& Combos() { return combos_; }

    int32_t ColCount() const { return columns_.Count(); }
    int32_t RowCount() const { return rowCount_; }
    int32_t Allocated() const { return rows_.Allocated(); }
    int32_t CurRow() const { return curRow_; }
    int32_t CurCol() const { return curCol_; }
    bool HasCell(int32_t row, int32_t colIndex) const;
    // Counts every addition, removal and reordering of rows or columns (see ShapeWatch).
    uint64_t Shape() const { return shape_; }
    // The current cell names a cell of the table.
    bool HasCurrentCell() const { return HasCell(curRow_, curCol_); }
    int32_t DefaultRowHeight() const { return defaultRowHeight_; }
    int32_t MemMngWantFreeRows() const { return memMngWantFreeRows_; }
    int32_t RowTextCol() const { return rowTextCol_; }
    int32_t RowTextStartCol() const { return rowTextStartCol_; }
    bool DrawRowText() const { return drawRowText_; }
    int32_t GroupRowCount() const { return groupRowCount_; }
    bool Redraw() const { return redraw_; }
    // Settings are done and the grid may paint.
    bool Ready() const { return ready_; }
    bool MultiSelect() const { return multiSelect_; }
    bool RowMode() const { return rowMode_; }
    OleColor BackColorOddRows() const { return backColorOddRows_; }
    OleColor BackColorEvenRows() const { return backColorEvenRows_; }
    const FontRef& GridFont() const { return font_; }

    // Virtual mode: rows are requested from the application as they are needed.
    bool IsVirtual() const { return isVirtual_; }
    bool MoreRows() const { return moreRows_; }
    // Painting waits while a row is being requested and filled.
    bool RowRequestActive() const { return rowRequestActive_; }

    // Argument resolution; a bad argument raises 513.
    int32_t ResolveRow(const GridVariant& vRow) const;
    int32_t ResolveCol(const GridVariant& vCol) const;
    // Both, row first, with a fast path for whole numbers.
    CellRef ResolveCell(const GridVariant& vRow, const GridVariant& vCol) const;
    int32_t ColPosition(const GridVariant& vCol) const;
    int32_t ColIndexOfKey(const std::string& key) const;
    int32_t RowIndexOfKey(const std::string& key) const;
    void CheckRowIndex(int32_t row) const;
    void CheckColIndex(int32_t col) const;

    // Grid-wide.
    void SetRedraw(bool redraw);
    // Loading the saved settings ends with Redraw on, without drawing.
    void SetRedrawFlag(bool redraw) { redraw_ = redraw; }
    void MarkReady();
    void Clear(bool removeColumns);
    void SetGridFont(const FontRef& font);
    void SetDrawRowText(bool draw);
    void SetRowTextStartCol(int32_t colIndex);
    void SetBandColors(OleColor odd, OleColor even);
    void SetMultiSelect(bool multiSelect) { multiSelect_ = multiSelect; }
    void SetRowMode(bool rowMode) { rowMode_ = rowMode; }

    // Columns.
    CellObject& AddCol(const AddColArgs& args);
    void RemoveCol(const GridVariant& vCol);
    void SetColOrder(const GridVariant& vCol, int32_t position);
    // Every column once, in its new display order, with its width and visibility
    // taken as given; anything else raises 5 and changes nothing.
    void ReplaceColumnLayout(std::span<const ColumnPlacement> placements);
    void SetColKey(int32_t colIndex, const std::string& key);
    void SetColTag(const GridVariant& vCol, const GridVariant& tag);
    // Clamped to the column's bounds.
    void SetColWidth(const GridVariant& vCol, int32_t width);
    void SetColMinWidth(const GridVariant& vCol, int32_t width);
    void SetColMaxWidth(const GridVariant& vCol, int32_t width);
    void SetColAllowSizing(const GridVariant& vCol, bool allow);
    void SetColVisible(const GridVariant& vCol, bool visible);
    void SetColHeaderText(const GridVariant& vCol, const std::string& text);
    void SetColHeaderIcon(const GridVariant& vCol, int16_t icon);
    void SetColHeaderTextFlags(const GridVariant& vCol, ETextFormatFlags flags);
    void SetColHeaderBackColor(const GridVariant& vCol, OleColor color);
    void SetColHeaderForeColor(const GridVariant& vCol, OleColor color);
    void SetColSortType(const GridVariant& vCol, ESortTypes type);
    void SetColSortOrder(const GridVariant& vCol, ESortOrders order);
    void SetColSortKey(const GridVariant& vCol, int32_t key);
    // The header fits its height when the contents changed and its flags ask for it.
    void HeaderContentsChanged();
    // The sort's own record of a column's place in the criteria; no repaint.
    void SetColumnSortState(int32_t position, int32_t key, ESortOrders order);
    CellObject& DefaultCell(int32_t position) { return *columns_.At(position).DefaultCell; }

    // Rows.
    void AddRow(const AddRowArgs& args);
    void RemoveRow(const GridVariant& vRow);
    void SetRowCount(int32_t count);
    void SetRowKey(int32_t row, const std::string& key);
    void SetRowTag(int32_t row, const GridVariant& tag);
    void SetRowVisible(int32_t row, bool visible);
    void SetRowHeight(int32_t row, int32_t height);
    void SetRowNormalCellHeight(int32_t row, int32_t height);
    void SetRowIsGroup(int32_t row, bool isGroup);
    void SetRowGroupStartCol(int32_t row, int32_t colIndex);
    void SetDefaultRowHeight(int32_t height);
    void SetMemMngWantFreeRows(int32_t rows);
    void SetMemMngAllocatedRows(int32_t rows);
    // Moves every row (record and cells) at once: order[p - 1] is the row that
    // ends at place p. Tops, parity and the key index follow; the order is spent.
    void ApplyRowOrder(std::span<int32_t> order);

    // Cells. Each change marks the cell for repainting and draws.
    template <typename Apply> void ChangeCell(CellRef at, Apply apply)
    {
        apply(cells_.At(at.row, at.colIndex));
        MarkCellChanged(at.row, at.colIndex);
        Painter().Draw();
    }
    // Changes the cell's look: the cell takes the number of the look that results.
    template <typename Apply> void ChangeLook(CellRef at, Apply apply)
    {
        ChangeCell(at, [&](CellData& c) { SetLook(c, apply); });
    }
    template <typename Apply> void SetLook(CellData& c, Apply apply)
    {
        CellLook look = cells_.LookOf(c);
        apply(look);
        c.Look = cells_.LookIndex(look);
    }
    void SetCellValue(CellRef at, const GridVariant& value);
    void SetCellType(CellRef at, ECellTypes type);
    void SetCellCtrlKey(CellRef at, const std::string& key);
    void SetCellFmtString(CellRef at, const std::string& fmt);
    void SetCellFont(CellRef at, const FontRef& font);
    // The font object CellFont hands out; changing it changes the cell.
    FontRef CellFontObject(CellRef at);
    std::string CellText(int32_t row, int32_t colIndex) const;
    // The stored value, handed to the application's CustomSort by reference.
    GridVariant& ValueForCustomSort(int32_t row, int32_t colIndex) { return cells_.At(row, colIndex).Value; }
    // Flips the selected bit; true when it changed. The caller reports the change.
    bool SetSelectedBit(int32_t row, int32_t colIndex, bool selected);

    // Pools and combo matching, for the default cells.
    int16_t FmtIndexOf(const std::string& fmt) { return formats_.IndexOf(fmt); }
    int16_t FontIndexOf(const FontRef& font) { return fonts_.IndexOf(font); }
    int32_t FindComboListByKey(const std::string& key) const { return combos_.SlotOfKey(key); }
    // (item number, item icon) of the first item of list `slot` matching value; (-1, -1) when none.
    std::pair<int16_t, int16_t> FindComboItem(const GridVariant& value, int32_t slot);

    // Repaint marks.
    void MarkCellChanged(int32_t row, int32_t colIndex);
    void MarkRowChanged(int32_t row);
    // Every cell of the visible columns in the rows given, display positions.
    void MarkCellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstPos, int32_t lastPos);
    // Clears the cell's mark; true when it was set.
    bool TakeRepaintMark(int32_t row, int32_t colIndex);
    // Structure changed: layout and paint are stale, then draw.
    void LayoutChanged();

    // Current cell.
    void SetCurrentCell(int32_t row, int32_t colIndex, bool notifyNow);
    void RaisePendingCurCellChange();

    // Virtual mode.
    void SetVirtual(bool isVirtual);
    // Asks the application for row n (RequestRow), appends it with the AddRow
    // defaults and lets the application fill it (RequestRowData). An answer of
    // bNoMoreRows ends the rows: MoreRows becomes false and nothing is added.
    // False when a handler changed the rows or columns itself: then the request
    // stops there, and the caller's positions are stale.
    bool RequestNextRow(int32_t n);

private:
    friend class RowRequestScope;

    RowKeyIndex::KeyOf KeyOf() const;
    void CheckColKeyUnique(const std::string& key, int32_t ownPosition) const;
    // Ends a running edit. The events it raises may add, remove or reorder rows and columns:
    // true when they did, and the caller's row numbers and column positions are stale.
    bool EndEditChangedShape();
    // Ends a running edit; true when its events inserted, removed or reordered rows, so that a
    // row number the caller holds may name another row. Rows a virtual grid appends while the
    // editor's cell repaints renumber none.
    bool EndEditMovedRows();
    void ApplyColWidth(const GridVariant& vCol, int32_t position, int32_t width);
    void RefreshHeaderItem(int32_t position);
    void AutoHeightFor(EHeaderAutoHeightFlags reason);
    void EnsureRowCapacity(int32_t n);
    void SetAllocation(int32_t allocation);
    CellData NewCell(int32_t colIndex);
    std::vector<CellData> NewRowCells();
    void InitCell(int32_t row, int32_t colIndex);
    // Rows allocated fresh already hold new cells; only reused spare rows need this.
    void InitRowCells(int32_t first, int32_t last);
    void InsertRow(int32_t before, const AddRowArgs& args, int32_t height, int32_t keyPosition);
    void AppendRow(const AddRowArgs& args, int32_t height, int32_t keyPosition);
    void MatchComboItem(CellData& cell);
    // Recomputes parity when alternate row colours are in use, else marks it stale.
    void UpdateParity(int32_t fromRow);
    void RebuildRowKeys();
    void RaiseCurCellChange() const;
    void ResetRows();
    void ResetColumns();

    Host* host_;
    std::optional<Listeners> listeners_;

    ColumnTable columns_;
    RowTable rows_;
    CellMatrix cells_ { rows_.Slots() };
    RowKeyIndex rowKeys_;
    FontPool fonts_;
    FormatPool formats_;
    CombosObject combos_;

    int32_t rowCount_ { 0 };
    uint64_t shape_ { 0 };
    uint64_t rowNumbering_ { 0 };  // counts the changes that renumber existing rows
    // The sum of the rows' height magnitudes (see extent.h).
    int64_t rowExtent_ { 0 };
    int32_t curRow_ { 0 };
    int32_t curCol_ { 0 };
    bool curCellPending_ { false };
    int32_t defaultRowHeight_ { 15 };
    int32_t memMngWantFreeRows_ { 100 };
    int32_t rowTextCol_ { 0 };
    int32_t rowTextStartCol_ { 0 };
    bool drawRowText_ { true };
    int32_t groupRowCount_ { 0 };
    bool redraw_ { false };
    bool ready_ { false };
    bool parityPending_ { false };
    bool headerAutoHeightPending_ { false };
    bool multiSelect_ { false };
    bool rowMode_ { false };
    OleColor backColorOddRows_ { kColorDefault };
    OleColor backColorEvenRows_ { kColorDefault };

    bool isVirtual_ { false };
    bool moreRows_ { false };
    bool rowRequestActive_ { false };

    // The control's Font; cells with FontIndex 0 use it.
    FontRef font_;
    FontRef::Subscription fontWatch_;
    // The cell whose font object CellFont handed out last, and that object.
    CellRef fontEditCell_ {};
    std::optional<FontRef> fontEditObject_;
    FontRef::Subscription fontEditWatch_;
};

inline ShapeWatch::ShapeWatch(const GridTable& table)
    : table_(table)
    , shape_(table.Shape())
{
}

inline bool ShapeWatch::Changed() const { return table_.Shape() != shape_; }

}  // namespace tavix::core
