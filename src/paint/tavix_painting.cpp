// Grid-wide painting members: enabled state, icons, background picture, visual
// styles, single-cell repaint and the text boundary.
#include "core/grid_table.h"
#include "layout/view_layout.h"
#include "paint/auto_sizer.h"
#include "paint/grid_painter.h"
#include "paint/image_list_handle.h"

#include <tavix/error.h>
#include <tavix/grid.h>

namespace tavix {

bool Tavix::DisableIcons() const { return painter_->Look().disableIcons; }

void Tavix::SetDisableIcons(bool b)
{
    // Disabled icons show only while the grid is disabled.
    if (painter_->Look().enabled)
        painter_->StoreLook(&paint::Appearance::disableIcons, b);
    else
        painter_->SetLook(&paint::Appearance::disableIcons, b);
    host_->PropertyChanged("DisableIcons");
}

native::SurfacePtr Tavix::BackgroundPicture() const { return painter_->Look().backgroundPicture; }

void Tavix::SetBackgroundPicture(native::SurfacePtr picture)
{
    painter_->SetBackgroundPicture(std::move(picture));
    host_->PropertyChanged("BackgroundPicture");
}

void Tavix::SetImageList(const GridVariant& v)
{
    if (const int32_t handle = paint::ImageListHandle(v); handle != 0)
        painter_->SetImageList(handle);
}

bool Tavix::UseXPStyles() const { return painter_->Look().useXPStyles; }

void Tavix::SetUseXPStyles(bool b)
{
    painter_->SetUseXPStyles(b);
    host_->PropertyChanged("UseXPStyles");
}

bool Tavix::Supports(ESupportFeatures e) const
{
    const std::optional<bool> supported = painter_->Supports(e);
    if (!supported)
        RaiseGridError(tvErrInvalidArgument);
    return *supported;
}

void Tavix::DrawCell(const GridVariant& vRow, const GridVariant& vCol)
{
    const int32_t row = table_->ResolveRow(vRow);
    const int32_t col = table_->ResolveCol(vCol);
    table_->MarkCellChanged(row, col);
    painter_->Draw();
}

void Tavix::CellTextBoundary(
    const GridVariant& vRow, const GridVariant& vCol, int32_t& lLeft, int32_t& lTop, int32_t& lWidth, int32_t& lHeight)
{
    const int32_t row = table_->ResolveRow(vRow);
    const int32_t col = table_->ResolveCol(vCol);
    const layout::CellRect r = painter_->CellTextRect(row, col);
    lLeft = r.left;
    lTop = r.top;
    lWidth = r.width;
    lHeight = r.height;
}

int32_t Tavix::EvaluateTextWidth(const GridVariant& vRow, const GridVariant& vCol, bool bForceNoModify)
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return sizer_->TextWidth(at.row, at.colIndex, bForceNoModify);
}

int32_t Tavix::EvaluateTextHeight(const GridVariant& vRow, const GridVariant& vCol)
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return sizer_->TextHeight(at.row, at.colIndex);
}

void Tavix::AutoWidthCol(const GridVariant& vCol) { sizer_->AutoWidthCol(table_->ResolveCol(vCol)); }

void Tavix::AutoHeightRow(const GridVariant& vRow, int32_t lMinimumHeight)
{
    sizer_->AutoHeightRow(table_->ResolveRow(vRow), lMinimumHeight);
}

bool Tavix::AutoWidthColWithHeader() const { return sizer_->WithHeader(); }

void Tavix::SetAutoWidthColWithHeader(bool bValue)
{
    sizer_->SetWithHeader(bValue);
    host_->PropertyChanged("AutoWidthColWithHeader");
}

}  // namespace tavix
