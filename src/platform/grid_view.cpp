#include "platform/grid_view.h"

#include "interaction/mouse.h"
#include "layout/layout.h"
#include "paint/cell_controls.h"
#include "paint/grid_painter.h"

#include <tavix/enums.h>
#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

namespace tavix::platform {

namespace {
constexpr int kHorizontal = 0;
constexpr int kVertical = 1;
}  // namespace

GridView::GridView(core::GridState& state)
    : s_(state)
    , painter_(std::make_unique<paint::GridPainter>(state))
    , mouse_(std::make_unique<interaction::Mouse>(state))
{
    mouse_->hooks.themesActive = [this] { return s_.look.resources && s_.look.resources->theme.ThemesActive(); };
    mouse_->hooks.controlRect = [this](int32_t cellType, native::Rect cell) {
        if (cellType == tvCellCombo)
            return ComboButtonRect(cell);
        const int32_t size = s_.look.resources ? s_.look.resources->theme.CheckBoxSize() : kControlSize;
        return CheckBoxRect(cell, size);
    };
}

GridView::~GridView()
{
    recreateTimer_.reset();
    if (bars_)
        bars_->Detach();
    if (hwnd_ != 0 && native::IsWindow(hwnd_)) {
        native::RemoveProp(hwnd_, "ObjPtr_");
        native::DestroyWindow(hwnd_);
    }
    s_.geo.hwnd = 0;
}

void GridView::CreateScrollBars()
{
    bars_ = std::make_unique<scroll::ScrollBars>();
    bars_->Attach(hwnd_);
    bars_->SetOrientation(2);
    bars_->SetVisible(kHorizontal, false);
    bars_->SetVisible(kVertical, false);
    bars_->SetPosition(kHorizontal, 0);
    bars_->SetPosition(kVertical, 0);
    bars_->onChange = [this](int bar, int32_t value) { OnScrollChange(bar, value); };
    bars_->onThumbTrack = [this](int bar, int32_t value) {
        s_.host->Events().ScrollBarThumbTrack(static_cast<EScrollBar>(bar), value);
    };
    bars_->onEndScroll = [this](int bar) { s_.host->Events().ScrollBarEndScroll(static_cast<EScrollBar>(bar)); };
    hObject_.emplace(*bars_, tvScrollBarH);
    vObject_.emplace(*bars_, tvScrollBarV);
    s_.geo.hScrollHeight = native::GetSystemMetrics(native::SM_CYHSCROLL);
    s_.geo.vScrollWidth = native::GetSystemMetrics(native::SM_CXVSCROLL);
}

void GridView::ApplyScrollBarStyle(int32_t style)
{
    if (bars_)
        bars_->SetStyle(style);
}

void GridView::OnScrollChange(int bar, int32_t value)
{
    CancelEdit();
    layout::Layout layout(s_);
    mouse_->OnScrolled(bar == kVertical ? 0 : value - s_.geo.scrollX, bar == kVertical ? value - s_.geo.scrollY : 0);
    if (bar == kVertical) {
        layout.InvalidateRange(value <= s_.geo.scrollY ? core::RangeState::ScrolledUp : core::RangeState::ScrolledDown);
        s_.geo.scrollY = value;
    } else {
        layout.InvalidateRange(core::RangeState::HorizontalOnly);
        s_.geo.scrollX = value;
    }
    painter_->MarkAllVisibleCellsChanged();
    s_.geo.needPaintBelow = true;
    Draw();
    s_.host->Events().ScrollBarPosChanged(static_cast<EScrollBar>(bar), value);
}

void GridView::InvalidateRange(int32_t mode)
{
    layout::Layout(s_).InvalidateRange(static_cast<core::RangeState>(mode));
}

void GridView::MarkLayoutStale()
{
    InvalidateRange(1);
    s_.geo.needFullRedraw = true;
    // Rows may have gone: what they covered now belongs to the area below.
    s_.geo.needPaintBelow = true;
}

void GridView::Draw() { painter_->Draw(); }

void GridView::UpdateScrollBars() { layout::Layout(s_).RecalcLayout(false); }

void GridView::EnsurePaintBufferHeight(int32_t height) { painter_->EnsureBufferHeight(height); }

void GridView::ResetScrollPositions(bool horizontalToo)
{
    if (!bars_)
        return;
    bars_->SetPosition(kVertical, 0);
    if (horizontalToo)
        bars_->SetPosition(kHorizontal, 0);
}

bool GridView::HasFocus() const { return hwnd_ != 0 && native::GetFocus() == hwnd_; }

void GridView::ScrollCellIntoView(int32_t row, int32_t col) { layout::Layout(s_).ScrollCellIntoView(row, col); }

void GridView::OnResize()
{
    InvalidateRange(1);
    if (s_.geo.ready && s_.redraw) {
        s_.geo.needFullRedraw = true;
        s_.geo.needPaintBelow = true;
        Draw();
    }
}

void GridView::OnPaint()
{
    native::PAINTSTRUCT ps;
    native::BeginPaint(hwnd_, &ps);
    native::EndPaint(hwnd_, &ps);
    if (s_.redraw && s_.geo.ready)
        painter_->Paint();
}

void GridView::OnSysColorChange()
{
    recreateTimer_ = std::make_unique<CTimer>();
    recreateTimer_->OnThatTime = [this] { RecreateScrollBarsTick(); };
    recreateTimer_->SetInterval(1);
}

void GridView::RecreateScrollBarsTick()
{
    recreateTimer_->SetInterval(0);
    const int32_t oldH = s_.geo.hScrollHeight;
    const int32_t oldV = s_.geo.vScrollWidth;
    const int32_t newH = native::GetSystemMetrics(native::SM_CYHSCROLL);
    const int32_t newV = native::GetSystemMetrics(native::SM_CXVSCROLL);
    if (newH == oldH && newV == oldV)
        return;
    const int32_t style = bars_ ? bars_->Style() : 0;
    if (bars_)
        bars_->Detach();
    CreateScrollBars();
    bars_->SetStyle(style);
    layout::Layout(s_).RecalcLayout(false);
    if (newH != oldH)
        s_.host->Events().ScrollBarThicknessChanged(tvScrollBarH, newH);
    if (newV != oldV)
        s_.host->Events().ScrollBarThicknessChanged(tvScrollBarV, newV);
}

}  // namespace tavix::platform
