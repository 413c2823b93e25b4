#pragma once

#include "appearance.h"
#include "cell_matrix.h"
#include "column_table.h"
#include "edit_settings.h"
#include "font_pool.h"
#include "format_pool.h"
#include "grid_view_hooks.h"
#include "row_key_index.h"
#include "row_table.h"
#include "selection_state.h"
#include "sort_state.h"
#include "view_geometry.h"

#include <tavix/combos.h>
#include <tavix/host.h>
#include <tavix/variant.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace tavix::core {

// Everything the grid's table members share: the tables, the pools, the key
// index and the counters, plus the operations every Part builds on.
class GridState {
public:
    explicit GridState(Host& host);

    ColumnTable columns;
    RowTable rows;
    CellMatrix cells;
    RowKeyIndex rowKeys;
    FontPool fonts;
    FormatPool formats;
    CombosObject combos;

    int32_t rowCount { 0 };
    int32_t curRow { 0 };
    int32_t curCol { 0 };
    bool curCellPending { false };
    int32_t defaultRowHeight { 15 };
    int32_t memMngWantFreeRows { 100 };
    int32_t rowTextCol { 0 };
    int32_t rowTextStartCol { 0 };
    bool drawRowText { true };
    int32_t groupRowCount { 0 };
    bool redraw { false };
    bool parityPending { false };
    bool headerAutoHeightPending { false };
    int32_t headerAutoHeightFlags { 0 };
    uint32_t backColorOddRows { 0xFFFFFFFFu };
    uint32_t backColorEvenRows { 0xFFFFFFFFu };

    ViewGeometry geo;
    Appearance look;
    SelectionState selection;
    SortState sort;
    EditSettings edit;

    // The control's Font; cells with FontIndex 0 use it.
    FontRef font;
    FontRef::Subscription fontWatch;
    // The cell whose font object CellFont handed out last, and that object.
    int32_t fontEditRow { 0 };
    int32_t fontEditCol { 0 };
    std::optional<FontRef> fontEditObject;
    FontRef::Subscription fontEditWatch;

    // Never null; a view subsystem replaces the default no-op hooks.
    GridViewHooks* view;
    // The view of a grid created in a window.
    std::unique_ptr<GridViewHooks> ownedView;
    void AdoptView(std::unique_ptr<GridViewHooks> v)
    {
        ownedView = std::move(v);
        view = ownedView ? ownedView.get() : &noView_;
    }
    Host* host;

    int32_t ColCount() const { return columns.Count(); }
    int32_t Allocated() const { return rows.Allocated(); }
    RowKeyIndex::KeyOf KeyOf() const;

    int32_t ResolveRow(const GridVariant& vRow) const;
    int32_t ResolveCol(const GridVariant& vCol) const;
    int32_t ColPosition(const GridVariant& vCol) const;
    int32_t ColIndexOfKey(const std::string& key) const;
    int32_t RowIndexOfKey(const std::string& key) const;
    void CheckRowIndex(int32_t row) const;
    void CheckColIndex(int32_t col) const;

    void EnsureRowCapacity(int32_t n);
    void SetAllocation(int32_t allocation);
    void InitCell(int32_t row, int32_t colIndex);
    // (item number, item icon) of the first item of list `slot` matching value; (-1, -1) when none.
    std::pair<int16_t, int16_t> FindComboItem(const GridVariant& value, int32_t slot);
    int32_t FindComboListByKey(const std::string& key) const { return combos.SlotOfKey(key); }
    void MarkCellChanged(int32_t row, int32_t colIndex);
    void MarkRowChanged(int32_t row);
    // Recomputes parity when alternate row colours are in use, else marks it stale.
    void UpdateParity(int32_t fromRow);
    void LayoutChanged();

    void SetCurrentCell(int32_t row, int32_t col, bool notifyNow);
    void RaisePendingCurCellChange();
    void RaiseCurCellChange() const;

    // Returns the tables to their sentinels; columns too when removeColumns.
    void ResetRows();
    void ResetColumns();

private:
    GridViewHooks noView_;
};

}  // namespace tavix::core
