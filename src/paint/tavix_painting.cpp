// Grid-wide painting members: enabled state, icons, background picture, visual
// styles, single-cell repaint and the text boundary.
#include "core/grid_table.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"

#include <tavix/dispatch.h>
#include <tavix/error.h>
#include <tavix/grid.h>

namespace tavix {

namespace {

// The handle an image list object hands out once it has made its native list.
int32_t HandleOfObject(const std::shared_ptr<Dispatch>& object)
{
    if (!object)
        return 0;
    try {
        std::vector<GridVariant> first { GridVariant(int32_t { 1 }) };
        GridVariant image = object->Invoke("ListImages", Dispatch::InvokeKind::PropertyGet, first);
        if (!image.IsObject() || !image.AsObject())
            return 0;
        image.AsObject()->Call("Draw");
        return object->Get("hImageList").ToLong();
    } catch (const TavixError&) {
        // An object without the members of an image list gives no list.
        return 0;
    }
}

}  // namespace

bool Tavix::Enabled() const { return painter_->Look().enabled; }

void Tavix::SetEnabled(bool b)
{
    table_->Editor().CancelEdit();
    painter_->SetEnabled(b);
    host_->PropertyChanged("Enabled");
}

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
    int32_t handle = 0;
    if (v.IsObject())
        handle = HandleOfObject(v.AsObject());
    else if (v.VarType() == VtLong)
        handle = v.ToLong();
    else
        RaiseGridError(tvErrImageList);
    if (handle != 0)
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

}  // namespace tavix
