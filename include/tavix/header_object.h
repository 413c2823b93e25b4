// The column header as the application sees it: its look, its behaviour and
// the fonts of its captions and sort numbers.
#pragma once

#include <tavix/enums.h>
#include <tavix/font.h>
#include <tavix/ole_color.h>
#include <tavix/variant.h>

#include <cstdint>

namespace tavix {

namespace header {
class GridHeader;
}

class HeaderObject {
public:
    explicit HeaderObject(header::GridHeader& header)
        : header_(&header)
    {
    }

    OleColor ForeColor() const;
    void SetForeColor(OleColor oColor);
    OleColor BackColor() const;
    void SetBackColor(OleColor oColor);
    bool Visible() const;
    void SetVisible(bool bVisible);
    bool DragCols() const;
    void SetDragCols(bool bDragCols);
    // Below 1: error 514; below MinHeight: ignored.
    int32_t Height() const;
    void SetHeight(int32_t lHeight);
    int32_t MinHeight() const;
    // Negative: error 514; a lower header is raised to the new minimum.
    void SetMinHeight(int32_t lHeight);
    int32_t hwnd() const;
    // An image list object (its ListImages(1).Draw and hImageList are used) or a Long handle; 0 keeps the list.
    void SetImageList(const GridVariant& vImageList);
    // The header's own font objects: changing them changes the header.
    FontRef Font() const;
    void SetFont(const FontRef& oFont);
    FontRef SortInfoFont() const;
    void SetSortInfoFont(const FontRef& oFont);
    void AutoHeight();
    bool UseXPStyles() const;
    void SetUseXPStyles(bool bValue);
    bool Flat() const;
    void SetFlat(bool bFlat);
    bool Buttons() const;
    void SetButtons(bool bButtons);
    ESortInfoStyles SortInfoStyle() const;
    void SetSortInfoStyle(ESortInfoStyles eStyle);
    ESortIconStyles SortIconStyle() const;
    void SetSortIconStyle(ESortIconStyles eStyle);
    OleColor SolidSortIconColor() const;
    void SetSolidSortIconColor(OleColor oColor);
    EHeaderAutoHeightFlags AutoHeightFlags() const;
    void SetAutoHeightFlags(EHeaderAutoHeightFlags eFlags);
    bool HotTrack() const;
    void SetHotTrack(bool bHotTrack);
    OleColor HotTrackForeColor() const;
    void SetHotTrackForeColor(OleColor oColor);
    EHeaderHotTrackFlags HotTrackFlags() const;
    void SetHotTrackFlags(EHeaderHotTrackFlags eFlags);

private:
    header::GridHeader* header_;
};

}  // namespace tavix
