#pragma once

#include <tavix/native/surface.h>

#include <cstdint>
#include <memory>

namespace tavix::paint {
class PaintResources;
}

namespace tavix::core {

// A cell named by row number and column index; 0, 0 is none.
struct CellRef {
    int32_t row { 0 };
    int32_t colIndex { 0 };
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

// The typed-ahead prefix the incremental search shows highlighted in its cell.
struct SearchHighlight {
    CellRef cell {};
    int32_t prefixLength { 0 };
};

// The grid's appearance settings and the painting inputs other subsystems keep
// up to date. The odd/even row colours stay in GridState (the row parity code
// reads them). Setters live in the paint module; they mark what to repaint.
struct Appearance {
    int32_t appearance { 1 };  // EAppearanceConstants
    int32_t borderStyle { 2 };  // EBorderStyles

    uint32_t backColor { 0x80000005u };
    uint32_t foreColor { 0x80000008u };
    uint32_t highlightBackColor { 0x8000000Du };
    uint32_t highlightForeColor { 0x8000000Eu };
    uint32_t highlightBackColorNoFocus { 0x8000000Fu };
    uint32_t highlightForeColorNoFocus { 0x80000008u };
    bool highlightSelCells { true };
    bool highlightSelIcons { false };
    int32_t gridLines { 3 };  // EGridLines
    int32_t gridLinesExtend { 0 };  // EGridLinesExtendModes
    uint32_t gridLineColor { 0x8000000Fu };
    bool focusRect { true };
    uint32_t focusRectColor1 { 0x80000005u };
    uint32_t focusRectColor2 { 0x80000008u };
    bool opaqueTextInHatchedCells { true };
    bool showControlsInAllCells { false };
    bool disableIcons { true };
    bool enabled { true };
    bool useXPStyles { true };

    // Tiled behind the rows; none when null or 0 wide.
    native::SurfacePtr backgroundPicture;
    // The cells' icons; its icon size is kept in ViewGeometry for the layout.
    int32_t imageList { 0 };

    // Kept by the mouse handling: the cell under the pointer and whether the
    // pointer is over its check box or combo button.
    CellRef hotCell {};
    bool controlIsHot { false };
    // Kept by the editor: a cell editor is open (combo buttons show pressed,
    // no focus rectangle).
    bool editActive { false };
    // Kept by the header: a column divider is being dragged; without immediate
    // resizing the cells are repainted only when the drag ends.
    bool columnSizing { false };
    bool immediateColumnResizing { false };
    // Kept by the keyboard handling while a search string is being typed.
    SearchHighlight search {};

    // Row buffer, brushes' colours, fonts and control strips of the painter.
    // Shared so that every painter over this state reuses them.
    std::shared_ptr<paint::PaintResources> resources;
};

}  // namespace tavix::core
