// The cell operations of the table, and virtual mode's row requests.
#include "core/cell_text.h"
#include "core/grid_table.h"

#include "core/extent.h"

#include <tavix/cell_object.h>
#include <tavix/error.h>
#include <tavix/events.h>
#include <tavix/grid.h>

namespace tavix::core {

CellData GridTable::NewCell(int32_t colIndex)
{
    const CellObject& d = *columns_.At(columns_.PositionOfIndex(colIndex)).DefaultCell;
    CellLook look;
    look.BackColor = d.oBackColor;
    look.ForeColor = d.oForeColor;
    look.FontIndex = d.oFont() ? fonts_.IndexOf(*d.oFont()) : 0;
    look.TextFlags = d.eTextFlags;
    look.Icon = d.iIconIndex;
    look.ExtraIcon = d.iExtraIconIndex;
    look.Indent = d.iIndent;
    look.RightIndent = d.iRightIndent;
    look.FmtIndex = d.FmtIndex();
    look.CtrlKeyIndex = d.ListIndex();
    look.Hatch = static_cast<uint8_t>(d.eHatch);
    CellData cell;
    cell.Look = cells_.LookIndex(look);
    cell.Flags = static_cast<uint8_t>(
        (d.eType() | d.eTypeFlags | (d.bSelected ? CellData::kSelected : 0) | CellData::kNeedsRepaint) & 0xFF);
    cell.Value = d.vValue();
    cell.ComboItemIndex = d.eType() == tvCellCombo ? d.MatchedItem() : -1;
    return cell;
}

void GridTable::InitCell(int32_t row, int32_t colIndex) { cells_.At(row, colIndex) = NewCell(colIndex); }

void GridTable::MatchComboItem(CellData& c)
{
    if ((c.Flags & CellData::kTypeMask) != tvCellCombo)
        return;
    const auto [item, icon] = FindComboItem(c.Value, cells_.LookOf(c).CtrlKeyIndex);
    c.ComboItemIndex = item;
    SetLook(c, [&](CellLook& look) { look.Icon = icon; });
}

void GridTable::SetCellValue(CellRef at, const GridVariant& value)
{
    ChangeCell(at, [&](CellData& c) {
        c.Value = value;
        MatchComboItem(c);
    });
}

void GridTable::SetCellType(CellRef at, ECellTypes type)
{
    ChangeCell(at, [&](CellData& c) {
        c.Flags = static_cast<uint8_t>((c.Flags & ~CellData::kTypeMask) | (type & 0xFF));
        MatchComboItem(c);
    });
}

void GridTable::SetCellCtrlKey(CellRef at, const std::string& key)
{
    CellData& c = cells_.At(at.row, at.colIndex);
    if ((c.Flags & CellData::kTypeMask) != tvCellCombo)
        return;
    // Binding a list is not a visible change until the value is edited.
    const auto slot = static_cast<int16_t>(FindComboListByKey(key));
    SetLook(c, [&](CellLook& look) { look.CtrlKeyIndex = slot; });
    MatchComboItem(c);
}

void GridTable::SetCellFmtString(CellRef at, const std::string& fmt)
{
    const int16_t index = formats_.IndexOf(fmt);
    ChangeLook(at, [&](CellLook& look) { look.FmtIndex = index; });
}

void GridTable::SetCellFont(CellRef at, const FontRef& font)
{
    const int16_t index = fonts_.IndexOf(font);
    ChangeLook(at, [&](CellLook& look) { look.FontIndex = index; });
}

FontRef GridTable::CellFontObject(CellRef at)
{
    fontEditCell_ = at;
    const int16_t index = CellLookAt(at.row, at.colIndex).FontIndex;
    fontEditObject_ = (index == 0 ? font_ : fonts_.At(index)).Clone();
    // Replacing the subscription drops the watch on the copy handed out before.
    fontEditWatch_ = fontEditObject_->OnChanged([this] {
        if (!HasCell(fontEditCell_.row, fontEditCell_.colIndex))
            return;
        SetCellFont(fontEditCell_, *fontEditObject_);
    });
    return *fontEditObject_;
}

std::string GridTable::CellText(int32_t row, int32_t colIndex) const
{
    const CellData& cell = cells_.At(row, colIndex);
    return CellTextOf(cell, cells_.LookOf(cell), formats_, combos_);
}

void GridTable::SetVirtual(bool isVirtual)
{
    isVirtual_ = isVirtual;
    // Setting it again after the application ran out of rows resumes the requests.
    moreRows_ = isVirtual;
}

// Draw paints nothing while a request runs, so the appended row is not shown
// before the application has filled it. Cleared even when a handler throws.
class RowRequestScope {
public:
    explicit RowRequestScope(GridTable& table)
        : table_(table)
    {
        table_.rowRequestActive_ = true;
    }
    ~RowRequestScope() { table_.rowRequestActive_ = false; }
    RowRequestScope(const RowRequestScope&) = delete;
    RowRequestScope& operator=(const RowRequestScope&) = delete;

private:
    GridTable& table_;
};

bool GridTable::RequestNextRow(int32_t n)
{
    // A row that cannot fit ends the rows, as an answer of bNoMoreRows would.
    if (rowExtent_ + ExtentOf(defaultRowHeight_) > kMaxExtent) {
        moreRows_ = false;
        return true;
    }
    RowRequestScope scope(*this);
    bool noMoreRows = false;
    const ShapeWatch asked(*this);
    Events().RequestRow(n, noMoreRows);
    // Row n is no longer the next one, or no row can be added.
    if (asked.Changed() || rowCount_ != n - 1 || ColCount() == 0)
        return false;
    if (noMoreRows) {
        moreRows_ = false;
        Layout().UpdateScrollBars();
        return true;
    }
    AddRow(AddRowArgs {});
    Layout().UpdateScrollBars();
    const ShapeWatch added(*this);
    Events().RequestRowData(n);
    return !added.Changed();
}

}  // namespace tavix::core
