// The grid control: columns, rows and cells.
#pragma once

#include <tavix/cell_object.h>
#include <tavix/combos.h>
#include <tavix/dispatch.h>
#include <tavix/enums.h>
#include <tavix/font.h>
#include <tavix/header_object.h>
#include <tavix/host.h>
#include <tavix/native/surface.h>
#include <tavix/ole_color.h>
#include <tavix/scroll_bar_object.h>
#include <tavix/shell_sort_object.h>
#include <tavix/variant.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavix {

namespace core {
class GridTable;
}
namespace layout {
class ViewLayout;
}
namespace paint {
class GridPainter;
class AutoSizer;
}  // namespace paint
namespace interaction {
class Selection;
class IncrementalSearch;
class Keyboard;
class Mouse;
}  // namespace interaction
namespace sort {
class GridSorter;
}
namespace header {
class GridHeader;
}
namespace edit {
class Editor;
}
namespace platform {
class GridWindow;
}
namespace internal {
struct GridAccess;
}

struct AddRowArgs {
    std::string sKey {};
    GridVariant vRowBefore { GridVariant::Missing() };
    bool bVisible { true };
    int32_t lHeight { -1 };
    bool bGroupRow { false };
    int32_t lGroupColStartIndex { 0 };
    GridVariant vTag { GridVariant::Missing() };
};

struct AddColArgs {
    std::string sKey {};
    std::string sHeader {};
    ETextFormatFlags eHdrTextFlags { kDefaultTextFlags };
    int16_t iIconIndex { -1 };
    int32_t lWidth { -1 };
    bool bVisible { true };
    GridVariant vColBefore { GridVariant::Missing() };
    bool bIncludeInSelect { true };
    bool bRowTextCol { false };
    ESortTypes eSortType { tvSortByValue };
    int16_t lMinWidth { -1 };
    int16_t lMaxWidth { -1 };
    bool bAllowSizing { true };
    GridVariant vTag { GridVariant::Missing() };
};

class Tavix {
public:
    // Construction, host and events (src/platform/)
    // Without a host the grid runs on its own StandaloneHost.
    Tavix();
    explicit Tavix(Host& host);
    ~Tavix();
    Tavix(const Tavix&) = delete;
    Tavix& operator=(const Tavix&) = delete;

    Host& GetHost() const { return *host_; }
    void SetEventSink(TavixEvents* sink);

    // Grid-wide (src/core/)
    int32_t ColCount() const;
    int32_t RowCount() const;
    void SetRowCount(int32_t n);
    int32_t ColIndex(const std::string& sKey) const;
    int32_t RowIndex(const std::string& sKey) const;
    bool Redraw() const;
    void SetRedraw(bool bRedraw);
    int32_t CurRow() const;
    int32_t CurCol() const;
    void Clear(bool bRemoveCols = false);
    // The font of cells without a font of their own; the returned object is the
    // grid's, so changing it changes the grid.
    FontRef Font() const;
    void SetFont(const FontRef& oFont);

    // Rows (src/core/)
    void AddRow(const std::string& sKey = {}, const GridVariant& vRowBefore = GridVariant::Missing(),
        bool bVisible = true, int32_t lHeight = -1, bool bGroupRow = false, int32_t lGroupColStartIndex = 0,
        const GridVariant& vTag = GridVariant::Missing());
    void AddRow(const AddRowArgs& args);
    void RemoveRow(const GridVariant& vRow);
    std::string RowKey(int32_t lRow) const;
    void SetRowKey(int32_t lRow, const std::string& sKey);
    GridVariant RowTag(const GridVariant& vRow) const;
    void SetRowTag(const GridVariant& vRow, const GridVariant& vTag);
    bool RowVisible(const GridVariant& vRow) const;
    void SetRowVisible(const GridVariant& vRow, bool bVisible);
    int32_t RowHeight(const GridVariant& vRow) const;
    void SetRowHeight(const GridVariant& vRow, int32_t lHeight);
    int32_t RowNormalCellHeight(const GridVariant& vRow) const;
    void SetRowNormalCellHeight(const GridVariant& vRow, int32_t lHeight);
    bool RowIsGroup(const GridVariant& vRow) const;
    void SetRowIsGroup(const GridVariant& vRow, bool bIsGroup);
    int32_t RowGroupStartCol(const GridVariant& vRow) const;
    void SetRowGroupStartCol(const GridVariant& vRow, int32_t lCol);
    int32_t DefaultRowHeight() const;
    void SetDefaultRowHeight(int32_t lHeight);
    int32_t MemMngWantFreeRows() const;
    void SetMemMngWantFreeRows(int32_t lRows);
    int32_t MemMngAllocatedRows() const;
    void SetMemMngAllocatedRows(int32_t lRows);

    // Columns (src/core/)
    // Column index from which row text is drawn under the normal cells; 0 = from the first column.
    int32_t RowTextStartCol() const;
    void SetRowTextStartCol(int32_t lCol);
    CellObject& AddCol(const std::string& sKey = {}, const std::string& sHeader = {},
        ETextFormatFlags eHdrTextFlags = kDefaultTextFlags, int16_t iIconIndex = -1, int32_t lWidth = -1,
        bool bVisible = true, const GridVariant& vColBefore = GridVariant::Missing(), bool bIncludeInSelect = true,
        bool bRowTextCol = false, ESortTypes eSortType = tvSortByValue, int16_t lMinWidth = -1, int16_t lMaxWidth = -1,
        bool bAllowSizing = true, const GridVariant& vTag = GridVariant::Missing());
    CellObject& AddCol(const AddColArgs& args);
    void RemoveCol(const GridVariant& vCol);
    int32_t ColOrder(const GridVariant& vCol) const;
    void SetColOrder(const GridVariant& vCol, int32_t lPosition);
    std::string ColKey(int32_t lCol) const;
    void SetColKey(int32_t lCol, const std::string& sKey);
    GridVariant ColTag(const GridVariant& vCol) const;
    void SetColTag(const GridVariant& vCol, const GridVariant& vTag);
    int32_t ColWidth(const GridVariant& vCol) const;
    void SetColWidth(const GridVariant& vCol, int32_t lWidth);
    int32_t ColMinWidth(const GridVariant& vCol) const;
    void SetColMinWidth(const GridVariant& vCol, int32_t lWidth);
    int32_t ColMaxWidth(const GridVariant& vCol) const;
    void SetColMaxWidth(const GridVariant& vCol, int32_t lWidth);
    bool ColAllowSizing(const GridVariant& vCol) const;
    void SetColAllowSizing(const GridVariant& vCol, bool bAllow);
    bool ColVisible(const GridVariant& vCol) const;
    void SetColVisible(const GridVariant& vCol, bool bVisible);
    std::string ColHeaderText(const GridVariant& vCol) const;
    void SetColHeaderText(const GridVariant& vCol, const std::string& sText);
    int16_t ColHeaderIcon(const GridVariant& vCol) const;
    void SetColHeaderIcon(const GridVariant& vCol, int16_t iIcon);
    ETextFormatFlags ColHeaderTextFlags(const GridVariant& vCol) const;
    void SetColHeaderTextFlags(const GridVariant& vCol, ETextFormatFlags eFlags);
    OleColor ColHeaderBackColor(const GridVariant& vCol) const;
    void SetColHeaderBackColor(const GridVariant& vCol, OleColor oColor);
    OleColor ColHeaderForeColor(const GridVariant& vCol) const;
    void SetColHeaderForeColor(const GridVariant& vCol, OleColor oColor);
    CellObject& ColDefaultCell(const GridVariant& vCol);

    // Cells (src/core/)
    GridVariant CellValue(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellValue(const GridVariant& vRow, const GridVariant& vCol, const GridVariant& value);
    int32_t CellTextFlags(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellTextFlags(const GridVariant& vRow, const GridVariant& vCol, int32_t eFlags);
    int16_t CellIndent(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellIndent(const GridVariant& vRow, const GridVariant& vCol, int16_t iIndent);
    int16_t CellIcon(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellIcon(const GridVariant& vRow, const GridVariant& vCol, int16_t iIcon);
    OleColor CellBackColor(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellBackColor(const GridVariant& vRow, const GridVariant& vCol, OleColor oColor);
    std::string CellText(const GridVariant& vRow, const GridVariant& vCol) const;
    int16_t CellRightIndent(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellRightIndent(const GridVariant& vRow, const GridVariant& vCol, int16_t iIndent);
    ECellTypes CellType(const GridVariant& vRow, const GridVariant& vCol) const;
    // Binds a combo cell to a list; other cell types ignore it.
    std::string CellCtrlKey(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellCtrlKey(const GridVariant& vRow, const GridVariant& vCol, const std::string& sKey);
    CombosObject& Combos();
    void SetCellType(const GridVariant& vRow, const GridVariant& vCol, ECellTypes eType);
    int32_t CellTypeFlags(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellTypeFlags(const GridVariant& vRow, const GridVariant& vCol, int32_t eFlags);
    bool CellSelected(const GridVariant& vRow, const GridVariant& vCol) const;
    int16_t CellExtraIcon(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellExtraIcon(const GridVariant& vRow, const GridVariant& vCol, int16_t iIcon);
    OleColor CellForeColor(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellForeColor(const GridVariant& vRow, const GridVariant& vCol, OleColor oColor);
    void CellDefaultBackColor(int32_t lRow, const GridVariant& vCol);
    void CellDefaultForeColor(int32_t lRow, const GridVariant& vCol);
    EHatchStyles CellHatch(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellHatch(const GridVariant& vRow, const GridVariant& vCol, EHatchStyles eHatch);
    // Hands out a copy of the cell's font; changing the copy last handed out changes the cell.
    FontRef CellFont(const GridVariant& vRow, const GridVariant& vCol);
    std::string CellFmtString(const GridVariant& vRow, const GridVariant& vCol) const;
    void SetCellFmtString(const GridVariant& vRow, const GridVariant& vCol, const std::string& sFmt);
    void SetCellFont(const GridVariant& vRow, const GridVariant& vCol, const FontRef& oFont);
    void CellDefaultFont(const GridVariant& vRow, const GridVariant& vCol);
    GridVariant InitValue(ECellTypes eCellType) const;

    // The grid's window (src/platform/)
    // Creates the grid's child window in hwndParent (0: a top-level window) and paints it.
    int32_t Create(int32_t hwndParent, int32_t x, int32_t y, int32_t width, int32_t height);
    int32_t hwnd() const;
    // Whether the grid and its header take input; a disabled grid draws greyed.
    bool Enabled() const;
    void SetEnabled(bool bValue);
    // A modal box with the control's name and version, owned by the grid's window.
    void ShowAboutBox();
    // Object safety: safe for untrusted callers and for untrusted data (3 / 3) whatever
    // interface riid names; setting options is accepted and changes nothing. Both return S_OK (0).
    int32_t GetInterfaceSafetyOptions(
        std::string_view riid, int32_t& pdwSupportedOptions, int32_t& pdwEnabledOptions) const;
    int32_t SetInterfaceSafetyOptions(std::string_view riid, int32_t dwOptionSetMask, int32_t dwEnabledOptions);

    // Layout and scrolling (src/layout/)
    // Rows and column indices of the cells in view; x in client, y in content less ScrollY.
    void GetStartEndCell(int32_t& lStartRow, int32_t& lStartCol, int32_t& lStartX, int32_t& lStartY, int32_t& lEndRow,
        int32_t& lEndCol, int32_t& lEndX, int32_t& lEndY);
    void CellFromPoint(int32_t xPixels, int32_t yPixels, int32_t& lRow, int32_t& lCol);
    void CellBoundary(const GridVariant& vRow, const GridVariant& vCol, int32_t& lLeft, int32_t& lTop, int32_t& lWidth,
        int32_t& lHeight);
    void EnsureVisibleCol(const GridVariant& vCol, EEnsureVisibleColMode eMode = tvEnsVisColAuto, int32_t lGap = 8);
    void EnsureVisibleRow(const GridVariant& vRow, EEnsureVisibleRowMode eMode = tvEnsVisRowAuto, int32_t lGap = 8);
    void EnsureVisibleCell(const GridVariant& vRow, const GridVariant& vCol);
    ScrollBarObject& HScrollBar();
    ScrollBarObject& VScrollBar();
    EScrollBarStyles ScrollBarStyle() const;
    void SetScrollBarStyle(EScrollBarStyles eStyle);
    // The window frame.
    EAppearanceConstants Appearance() const;
    void SetAppearance(EAppearanceConstants eAppearance);
    EBorderStyles BorderStyle() const;
    void SetBorderStyle(EBorderStyles eStyle);

    // Painting and appearance (src/paint/)
    OleColor BackColor() const;
    void SetBackColor(OleColor oColor);
    OleColor ForeColor() const;
    void SetForeColor(OleColor oColor);
    // -1 turns the band colour off.
    OleColor BackColorOddRows() const;
    void SetBackColorOddRows(OleColor oColor);
    OleColor BackColorEvenRows() const;
    void SetBackColorEvenRows(OleColor oColor);
    OleColor HighlightBackColor() const;
    void SetHighlightBackColor(OleColor oColor);
    OleColor HighlightForeColor() const;
    void SetHighlightForeColor(OleColor oColor);
    OleColor HighlightBackColorNoFocus() const;
    void SetHighlightBackColorNoFocus(OleColor oColor);
    OleColor HighlightForeColorNoFocus() const;
    void SetHighlightForeColorNoFocus(OleColor oColor);
    bool HighlightSelCells() const;
    void SetHighlightSelCells(bool bValue);
    bool HighlightSelIcons() const;
    void SetHighlightSelIcons(bool bValue);
    EGridLines GridLines() const;
    void SetGridLines(EGridLines eMode);
    EGridLinesExtendModes GridLinesExtend() const;
    void SetGridLinesExtend(EGridLinesExtendModes eMode);
    OleColor GridLineColor() const;
    void SetGridLineColor(OleColor oColor);
    bool FocusRect() const;
    void SetFocusRect(bool bValue);
    OleColor FocusRectColor1() const;
    void SetFocusRectColor1(OleColor oColor);
    OleColor FocusRectColor2() const;
    void SetFocusRectColor2(OleColor oColor);
    bool OpaqueTextInHatchedCells() const;
    void SetOpaqueTextInHatchedCells(bool bValue);
    bool ShowControlsInAllCells() const;
    void SetShowControlsInAllCells(bool bValue);
    bool DisableIcons() const;
    void SetDisableIcons(bool bValue);
    bool DrawRowText() const;
    void SetDrawRowText(bool bValue);
    // Tiled behind the rows; null or a picture 0 wide turns it off.
    native::SurfacePtr BackgroundPicture() const;
    void SetBackgroundPicture(native::SurfacePtr picture);
    // An image list object (its ListImages(1).Draw and hImageList are used) or a Long handle; 0 keeps the list.
    void SetImageList(const GridVariant& vImageList);
    bool UseXPStyles() const;
    void SetUseXPStyles(bool bValue);
    bool Supports(ESupportFeatures eSupFeat) const;
    // Repaints one cell now.
    void DrawCell(const GridVariant& vRow, const GridVariant& vCol);
    // Where the cell's text is drawn; a no-clip text's room depends on its
    // neighbours' texts, which only painting measures.
    void CellTextBoundary(const GridVariant& vRow, const GridVariant& vCol, int32_t& lLeft, int32_t& lTop,
        int32_t& lWidth, int32_t& lHeight);

    // Measurement and auto-size (src/paint/)
    // The width of the cell's text alone; without bForceNoModify an ellipsis may shorten it.
    int32_t EvaluateTextWidth(const GridVariant& vRow, const GridVariant& vCol, bool bForceNoModify = true);
    int32_t EvaluateTextHeight(const GridVariant& vRow, const GridVariant& vCol);
    void AutoWidthCol(const GridVariant& vCol);
    // lMinimumHeight -1: DefaultRowHeight.
    void AutoHeightRow(const GridVariant& vRow, int32_t lMinimumHeight = -1);
    bool AutoWidthColWithHeader() const;
    void SetAutoWidthColWithHeader(bool bValue);

    // Column header (src/header/)
    HeaderObject& Header();
    bool ImmediateColumnResizing() const;
    void SetImmediateColumnResizing(bool bValue);

    // Virtual mode (src/core/)
    // Rows are requested from the application (RequestRow, RequestRowData) as they come into view.
    bool Virtual() const;
    void SetVirtual(bool bVirtual);

    // Current cell, selection and keyboard (src/interaction/)
    void SetCurRow(int32_t lRow);
    void SetCurCol(int32_t lCol);
    void SetCurCell(const GridVariant& vRow, const GridVariant& vCol);
    void SetCellSelected(const GridVariant& vRow, const GridVariant& vCol, bool bSelected);
    bool MultiSelect() const;
    void SetMultiSelect(bool bMultiSelect);
    bool RowMode() const;
    void SetRowMode(bool bRowMode);
    void ClearSelection();
    EKeyPressBehaviour KeyPressBehaviour() const;
    void SetKeyPressBehaviour(EKeyPressBehaviour eBehaviour);
    int32_t KeySearchCol() const;
    void SetKeySearchCol(int32_t lCol);
    bool KeySearchFromCurRow() const;
    void SetKeySearchFromCurRow(bool bFromCurRow);
    bool KeySearchLoop() const;
    void SetKeySearchLoop(bool bLoop);
    // The window's drop mode for drag and drop, handed to the platform unchanged.
    int16_t OLEDropMode() const;
    void SetOLEDropMode(int16_t iMode);
    // Runs a drag and drop of the grid window until the drop or its cancel: OLEStartDrag
    // first, then OLESetData and OLEGiveFeedback as the platform asks, OLECompleteDrag last.
    void OLEDrag();
    int32_t FindSearchMatchRow(const GridVariant& vSearchCol, const std::string& sSearchString, int32_t lStartRow = -1,
        bool bVisibleRowsOnly = true, bool bLoop = false) const;
    // The selected cells as text for the clipboard: the displayed texts of each shown
    // row with a selected cell, in display order, over the shown columns that hold a
    // selected cell, joined by tabs, each row ended by a line feed; unselected cells
    // of that block are empty.
    std::string SelectionAsText() const;

    // In-place editing (src/edit/)
    // Edits the current cell as its type says: a text editor, the drop-down list,
    // a check box cycling its value, or the host's own editor of a custom-drawn cell.
    void RequestEdit(int16_t iKeyAscii = 0);
    // Commits a running text edit; a dropped-down list is left alone.
    void CommitEdit();
    // Raises QuitCustomEdit, then cancels a running edit.
    void CancelEdit();
    bool EditActive() const;
    bool Editable() const;
    void SetEditable(bool bEditable);
    // No message box when typed text does not convert: BeforeCommitEdit tells lConvErr.
    bool SilentValidation() const;
    void SetSilentValidation(bool bSilent);
    // The text editor's context menu becomes the TextEditCustomContextMenu event.
    bool TextEditCustomContextMenu() const;
    void SetTextEditCustomContextMenu(bool bCustom);
    // The open text editor; empty or 0 while none is open.
    std::string TextEditText() const;
    void SetTextEditText(const std::string& sText);
    int32_t TextEditSelStart() const;
    void SetTextEditSelStart(int32_t lStart);
    int32_t TextEditSelLength() const;
    void SetTextEditSelLength(int32_t lLength);
    std::string TextEditSelText() const;
    void SetTextEditSelText(const std::string& sText);
    int32_t TextEditHwnd() const;

    // Sorting (src/sort/)
    ShellSortObject& SortObject();
    // Missing: sorts again by the current criteria (nothing when there are none);
    // a column: sorts ascending by that column's ColSortType.
    void Sort(const GridVariant& vCols = GridVariant::Missing());
    // Sorts ascending by each column in turn, each by its ColSortType.
    void Sort(const std::vector<GridVariant>& vCols);
    // What a header click does: iShift 0 sorts by the column alone (toggling its order on a
    // repeat), any other shift state adds it to the sort or toggles its order there.
    void DoDefaultSort(
        const GridVariant& vCol, int16_t iShift = 0, ESortOrders eSortOrder = static_cast<ESortOrders>(-1));
    ESortTypes ColSortType(const GridVariant& vCol) const;
    void SetColSortType(const GridVariant& vCol, ESortTypes eSortType);
    ESortOrders ColSortOrder(const GridVariant& vCol) const;
    void SetColSortOrder(const GridVariant& vCol, ESortOrders eSortOrder);
    int32_t ColSortKey(const GridVariant& vCol) const;
    void SetColSortKey(const GridVariant& vCol, int32_t lSortKey);

    // Persistence (src/persist/)
    // Fills the grid from a record set ("Recordset") reached by member name alone: one row per
    // record; existing columns are filled from the field named like their key, and a grid
    // without columns gets one per field. Raises 514 when rs is null or no "Recordset".
    void FillFromRS(const std::shared_ptr<Dispatch>& rs);
    // The host's life-cycle calls: a new instance takes the defaults of the stored settings,
    // a saved one reads them from the host's property storage, and saving writes them there
    // (a setting equal to its default is left out). Each applies through the public setter.
    void InitProperties();
    void ReadProperties();
    void WriteProperties() const;
    // "index|Width|w|index|Order|position|index|Visible|0 or 1|" for every column: assigning
    // the string back restores widths, order and visibility, or raises and changes nothing.
    std::string LayoutCol() const;
    void SetLayoutCol(const std::string& sLayout);
    // "index|SortKey|k|index|SortOrder|0 or 1|" for every sorted column; assigning it sorts.
    std::string LayoutSort() const;
    void SetLayoutSort(const std::string& sLayout);

private:
    friend struct internal::GridAccess;

    void BuildSubsystems();

    std::unique_ptr<StandaloneHost> ownHost_;
    Host* host_;
    // The subsystems, each owning its state, wired once at construction; the
    // window exists from Create on.
    std::unique_ptr<core::GridTable> table_;
    std::unique_ptr<layout::ViewLayout> layout_;
    std::unique_ptr<paint::GridPainter> painter_;
    std::unique_ptr<interaction::Selection> selection_;
    std::unique_ptr<interaction::IncrementalSearch> search_;
    std::unique_ptr<interaction::Keyboard> keyboard_;
    std::unique_ptr<interaction::Mouse> mouse_;
    std::unique_ptr<sort::GridSorter> sorter_;
    std::unique_ptr<paint::AutoSizer> sizer_;
    std::unique_ptr<header::GridHeader> header_;
    std::unique_ptr<edit::Editor> editor_;
    std::unique_ptr<platform::GridWindow> window_;
};

}  // namespace tavix
