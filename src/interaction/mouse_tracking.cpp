// Pointer tracking: MouseMove, the drag start, MouseEnter/MouseLeave per cell
// and the hot look of the check box or combo button under the pointer.
#include "interaction/mouse.h"

#include "layout/view_layout.h"

#include <tavix/events.h>
#include <tavix/native/window.h>

#include <cstdlib>
#include <tuple>

namespace tavix::interaction {

namespace {

constexpr int32_t kDragSlop = 2;
// Nothing tells a window that the pointer went elsewhere, so it is polled.
constexpr int32_t kLeavePollMs = 25;

}  // namespace

void Mouse::OnMove(int16_t button, int16_t shift, int32_t x, int32_t y)
{
    if (!painter_.Look().enabled)
        return;
    LeaveHotControl(x, y);
    std::tie(m_.pointerRow, m_.pointerCol) = layout_.CellFromPoint(x, y);
    TavixEvents* sink = table_.GetHost().EventSink();
    if (sink != nullptr)
        sink->MouseMove(button, shift, static_cast<float>(x), static_cast<float>(y), m_.pointerRow, m_.pointerCol);

    if (m_.dragArmed && !m_.dragStarted && (std::abs(x - m_.downX) > kDragSlop || std::abs(y - m_.downY) > kDragSlop)) {
        m_.dragStarted = true;
        if (sink != nullptr)
            sink->StartCellDrag(button, shift, static_cast<float>(x), static_cast<float>(y), m_.downRow, m_.downCol);
    }
    EnterHotControl(x, y);
    TrackHotCell(x, y);
}

void Mouse::OnScrolled(int32_t dx, int32_t dy)
{
    if (m_.controlRectArmed || m_.controlIsHot)
        m_.hotControlRect = m_.hotControlRect.Offset(-dx, -dy);
}

void Mouse::LeaveHotControl(int32_t x, int32_t y)
{
    if (!m_.controlIsHot || PointInRect(m_.hotControlRect, x, y))
        return;
    SetControlHot(false);
    m_.controlRectArmed = true;
}

void Mouse::EnterHotControl(int32_t x, int32_t y)
{
    if (!m_.controlRectArmed || !PointInRect(m_.hotControlRect, x, y))
        return;
    m_.controlRectArmed = false;
    SetControlHot(true);
}

void Mouse::TrackHotCell(int32_t x, int32_t y)
{
    auto& hot = m_.hotCell;
    const core::CellRef pointer { m_.pointerRow, m_.pointerCol };
    if (pointer == hot)
        return;
    TavixEvents* sink = table_.GetHost().EventSink();
    if (hot.row >= 1 && hot.colIndex >= 1) {
        if (sink != nullptr)
            sink->MouseLeave(hot.row, hot.colIndex);
        leaveTimer_.SetInterval(0);
    }
    // The old cell's control rectangle means nothing for the new cell.
    m_.controlRectArmed = false;
    m_.hotControlType = 0;
    hot = pointer;
    if (!table_.HasCell(hot.row, hot.colIndex))
        return;
    if (sink != nullptr)
        sink->MouseEnter(hot.row, hot.colIndex);
    leaveTimer_.SetInterval(kLeavePollMs);
    if (!painter_.ThemesActive() || !table_.HasCell(hot.row, hot.colIndex))
        return;
    m_.hotControlType = table_.Cell(hot.row, hot.colIndex).Flags & core::CellData::kTypeMask;
    const auto rect = ControlRect(hot.row, hot.colIndex);
    if (!rect)
        return;
    m_.hotControlRect = *rect;
    if (PointInRect(*rect, x, y))
        SetControlHot(true);
    else
        m_.controlRectArmed = true;
}

void Mouse::SetControlHot(bool hot)
{
    m_.controlIsHot = hot;
    // Painting draws the control of the hot cell hot.
    painter_.SetHotControl(m_.hotCell, hot);
}

void Mouse::LeaveTick()
{
    native::POINT pt;
    native::GetCursorPos(&pt);
    const native::Rect view = layout_.GetViewRect(false, false);
    const bool left = !PointInRect(view, pt.x, pt.y) || native::WindowFromPoint(pt) != layout_.Window();
    if (!left)
        return;
    leaveTimer_.SetInterval(0);
    auto& hot = m_.hotCell;
    if (hot.row >= 1 && hot.colIndex >= 1) {
        if (m_.controlIsHot)
            SetControlHot(false);
        if (TavixEvents* sink = table_.GetHost().EventSink())
            sink->MouseLeave(hot.row, hot.colIndex);
        m_.controlRectArmed = false;
        m_.controlIsHot = false;
    }
    hot = {};
}

}  // namespace tavix::interaction
