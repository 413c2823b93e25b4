// Grid-wide painting members: enabled state, icons, background picture,
// window frame style, visual styles and single-cell repaint.
#include <tavix/dispatch.h>
#include <tavix/error.h>
#include <tavix/grid.h>
#include <tavix/native/imagelist.h>
#include <tavix/native/window.h>

#include "core/grid_state.h"
#include "layout/layout.h"
#include "paint/grid_painter.h"
#include "scroll/scroll_bars.h"

namespace tavix {

using namespace native;

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
    } catch (const std::exception&) {
        return 0;
    }
}

void ApplyFrameStyle(const core::GridState& s)
{
    const HWND hwnd = s.geo.hwnd;
    if (hwnd == 0)
        return;
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & ~WS_BORDER;
    DWORD ex = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE)) & ~(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE);
    const int32_t border = s.look.borderStyle;
    if (s.look.appearance == tvAppearanceFlat) {
        if (border != tvBorderNone)
            style |= WS_BORDER;
    } else if (border == tvBorderThin) {
        ex |= WS_EX_STATICEDGE;
    } else if (border == tvBorder3D) {
        ex |= WS_EX_CLIENTEDGE;
    }
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowLong(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(ex));
    SetWindowPos(hwnd, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void FrameChanged(core::GridState& s, std::string_view name)
{
    ApplyFrameStyle(s);
    layout::Layout(s).InvalidateRange(core::RangeState::Recompute);
    s.host->PropertyChanged(name);
}

}  // namespace

bool Tavix::Enabled() const { return state_->look.enabled; }

void Tavix::SetEnabled(bool b)
{
    auto& s = *state_;
    s.view->CancelEdit();
    s.look.enabled = b;
    if (s.host->UserMode()) {
        s.geo.needFullRedraw = true;
        s.geo.needPaintBelow = true;
        for (int32_t r = 1; r <= s.rowCount; ++r)
            s.MarkRowChanged(r);
        paint::GridPainter painter(s);
        painter.Draw();
        painter.Paint();
    }
    s.host->PropertyChanged("Enabled");
}

bool Tavix::DisableIcons() const { return state_->look.disableIcons; }

void Tavix::SetDisableIcons(bool b)
{
    auto& s = *state_;
    s.look.disableIcons = b;
    if (!s.look.enabled) {
        s.geo.needFullRedraw = true;
        paint::GridPainter(s).Draw();
    }
    s.host->PropertyChanged("DisableIcons");
}

SurfacePtr Tavix::BackgroundPicture() const { return state_->look.backgroundPicture; }

void Tavix::SetBackgroundPicture(SurfacePtr picture)
{
    auto& s = *state_;
    s.look.backgroundPicture = picture && picture->Width() > 0 ? std::move(picture) : nullptr;
    // No repaint flag is set: the whole view is painted as the window would be.
    paint::GridPainter(s).Paint();
    s.host->PropertyChanged("BackgroundPicture");
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
    if (handle == 0)
        return;
    auto& s = *state_;
    s.look.imageList = handle;
    int32_t cx = 0, cy = 0;
    ImageList_GetIconSize(handle, &cx, &cy);
    s.geo.iconWidth = cx;
    s.geo.iconHeight = cy;
}

EAppearanceConstants Tavix::Appearance() const { return static_cast<EAppearanceConstants>(state_->look.appearance); }

void Tavix::SetAppearance(EAppearanceConstants e)
{
    state_->look.appearance = e;
    FrameChanged(*state_, "Appearance");
}

EBorderStyles Tavix::BorderStyle() const { return static_cast<EBorderStyles>(state_->look.borderStyle); }

void Tavix::SetBorderStyle(EBorderStyles e)
{
    state_->look.borderStyle = e;
    FrameChanged(*state_, "BorderStyle");
}

bool Tavix::UseXPStyles() const { return state_->look.useXPStyles; }

void Tavix::SetUseXPStyles(bool b)
{
    auto& s = *state_;
    // No visual-style engine here: there are no window themes to switch, only
    // the control images to redraw in the look now chosen.
    s.look.useXPStyles = b;
    paint::GridPainter(s).RefreshTheme();
    s.host->PropertyChanged("UseXPStyles");
}

bool Tavix::Supports(ESupportFeatures e) const
{
    auto& s = *state_;
    auto& theme = paint::PaintResources::Of(s).theme;
    const scroll::ScrollBars* bars = s.view->Bars();
    theme.SetFlatScrollBarsUsable(bars != nullptr && bars->CanBeFlat());
    const std::optional<bool> supported = theme.Supports(e);
    if (!supported)
        RaiseGridError(tvErrInvalidArgument);
    return *supported;
}

void Tavix::DrawCell(const GridVariant& vRow, const GridVariant& vCol)
{
    auto& s = *state_;
    const int32_t row = s.ResolveRow(vRow);
    const int32_t col = s.ResolveCol(vCol);
    s.MarkCellChanged(row, col);
    paint::GridPainter(s).Draw();
}

}  // namespace tavix
