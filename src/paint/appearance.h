#pragma once
// The grid's appearance settings: what its cells, lines and focus look like.
#include <tavix/enums.h>
#include <tavix/native/surface.h>
#include <tavix/ole_color.h>

#include <cstdint>

namespace tavix::paint {

struct Appearance {
    OleColor backColor { 0x80000005u };
    OleColor foreColor { 0x80000008u };
    OleColor highlightBackColor { 0x8000000Du };
    OleColor highlightForeColor { 0x8000000Eu };
    OleColor highlightBackColorNoFocus { 0x8000000Fu };
    OleColor highlightForeColorNoFocus { 0x80000008u };
    bool highlightSelCells { true };
    bool highlightSelIcons { false };
    EGridLines gridLines { tvGridLinesBoth };
    EGridLinesExtendModes gridLinesExtend { tvGridLinesExtendNone };
    OleColor gridLineColor { 0x8000000Fu };
    bool focusRect { true };
    OleColor focusRectColor1 { 0x80000005u };
    OleColor focusRectColor2 { 0x80000008u };
    bool opaqueTextInHatchedCells { true };
    bool showControlsInAllCells { false };
    bool disableIcons { true };
    bool enabled { true };
    bool useXPStyles { true };

    // Tiled behind the rows; none when null or 0 wide.
    native::SurfacePtr backgroundPicture;
    // The cells' icons and their size; 0 without a list.
    int32_t imageList { 0 };
    int32_t iconWidth { 0 };
    int32_t iconHeight { 0 };

    bool HorizontalLines() const { return gridLines == tvGridLinesHorizontal || gridLines == tvGridLinesBoth; }
    bool VerticalLines() const { return gridLines == tvGridLinesVertical || gridLines == tvGridLinesBoth; }
    bool LinesExtendDown() const
    {
        return gridLinesExtend == tvGridLinesExtendDown || gridLinesExtend == tvGridLinesExtendBoth;
    }
    bool LinesExtendRight() const
    {
        return gridLinesExtend == tvGridLinesExtendRight || gridLinesExtend == tvGridLinesExtendBoth;
    }
};

}  // namespace tavix::paint
