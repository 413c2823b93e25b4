// The appearance properties of the grid: each setter stores the value, asks
// for a full repaint, draws and tells the host the property changed.
#include <tavix/grid.h>

#include "core/grid_state.h"
#include "paint/grid_painter.h"

namespace tavix {

namespace {

// `below`: the setting also shows in the empty area under the last row.
template <typename T> void SetLook(core::GridState& s, T& field, T value, std::string_view name, bool below = false)
{
    field = value;
    s.geo.needFullRedraw = true;
    if (below)
        s.geo.needPaintBelow = true;
    paint::GridPainter(s).Draw();
    s.host->PropertyChanged(name);
}

// The focus colours only show while the focus rectangle does.
void SetFocusColor(core::GridState& s, uint32_t& field, uint32_t value, std::string_view name)
{
    if (s.look.focusRect) {
        SetLook(s, field, value, name);
        return;
    }
    field = value;
    s.host->PropertyChanged(name);
}

}  // namespace

uint32_t Tavix::BackColor() const { return state_->look.backColor; }
void Tavix::SetBackColor(uint32_t c) { SetLook(*state_, state_->look.backColor, c, "BackColor", true); }
uint32_t Tavix::ForeColor() const { return state_->look.foreColor; }
void Tavix::SetForeColor(uint32_t c) { SetLook(*state_, state_->look.foreColor, c, "ForeColor"); }

uint32_t Tavix::BackColorOddRows() const { return state_->backColorOddRows; }
void Tavix::SetBackColorOddRows(uint32_t c)
{
    // Parity is computed only while a band colour is in use, so store first.
    state_->backColorOddRows = c;
    state_->UpdateParity(1);
    SetLook(*state_, state_->backColorOddRows, c, "BackColorOddRows");
}
uint32_t Tavix::BackColorEvenRows() const { return state_->backColorEvenRows; }
void Tavix::SetBackColorEvenRows(uint32_t c)
{
    state_->backColorEvenRows = c;
    state_->UpdateParity(1);
    SetLook(*state_, state_->backColorEvenRows, c, "BackColorEvenRows");
}

uint32_t Tavix::HighlightBackColor() const { return state_->look.highlightBackColor; }
void Tavix::SetHighlightBackColor(uint32_t c)
{
    SetLook(*state_, state_->look.highlightBackColor, c, "HighlightBackColor");
}
uint32_t Tavix::HighlightForeColor() const { return state_->look.highlightForeColor; }
void Tavix::SetHighlightForeColor(uint32_t c)
{
    SetLook(*state_, state_->look.highlightForeColor, c, "HighlightForeColor");
}
uint32_t Tavix::HighlightBackColorNoFocus() const { return state_->look.highlightBackColorNoFocus; }
void Tavix::SetHighlightBackColorNoFocus(uint32_t c)
{
    SetLook(*state_, state_->look.highlightBackColorNoFocus, c, "HighlightBackColorNoFocus");
}
uint32_t Tavix::HighlightForeColorNoFocus() const { return state_->look.highlightForeColorNoFocus; }
void Tavix::SetHighlightForeColorNoFocus(uint32_t c)
{
    SetLook(*state_, state_->look.highlightForeColorNoFocus, c, "HighlightForeColorNoFocus");
}
bool Tavix::HighlightSelCells() const { return state_->look.highlightSelCells; }
void Tavix::SetHighlightSelCells(bool b) { SetLook(*state_, state_->look.highlightSelCells, b, "HighlightSelCells"); }
bool Tavix::HighlightSelIcons() const { return state_->look.highlightSelIcons; }
void Tavix::SetHighlightSelIcons(bool b) { SetLook(*state_, state_->look.highlightSelIcons, b, "HighlightSelIcons"); }

EGridLines Tavix::GridLines() const { return static_cast<EGridLines>(state_->look.gridLines); }
void Tavix::SetGridLines(EGridLines e)
{
    SetLook(*state_, state_->look.gridLines, static_cast<int32_t>(e), "GridLines", true);
}
EGridLinesExtendModes Tavix::GridLinesExtend() const
{
    return static_cast<EGridLinesExtendModes>(state_->look.gridLinesExtend);
}
void Tavix::SetGridLinesExtend(EGridLinesExtendModes e)
{
    SetLook(*state_, state_->look.gridLinesExtend, static_cast<int32_t>(e), "GridLinesExtend", true);
}
uint32_t Tavix::GridLineColor() const { return state_->look.gridLineColor; }
void Tavix::SetGridLineColor(uint32_t c) { SetLook(*state_, state_->look.gridLineColor, c, "GridLineColor", true); }

bool Tavix::FocusRect() const { return state_->look.focusRect; }
void Tavix::SetFocusRect(bool b) { SetLook(*state_, state_->look.focusRect, b, "FocusRect"); }
uint32_t Tavix::FocusRectColor1() const { return state_->look.focusRectColor1; }
void Tavix::SetFocusRectColor1(uint32_t c)
{
    SetFocusColor(*state_, state_->look.focusRectColor1, c, "FocusRectColor1");
}
uint32_t Tavix::FocusRectColor2() const { return state_->look.focusRectColor2; }
void Tavix::SetFocusRectColor2(uint32_t c)
{
    SetFocusColor(*state_, state_->look.focusRectColor2, c, "FocusRectColor2");
}

bool Tavix::OpaqueTextInHatchedCells() const { return state_->look.opaqueTextInHatchedCells; }
void Tavix::SetOpaqueTextInHatchedCells(bool b)
{
    SetLook(*state_, state_->look.opaqueTextInHatchedCells, b, "OpaqueTextInHatchedCells");
}
bool Tavix::ShowControlsInAllCells() const { return state_->look.showControlsInAllCells; }
void Tavix::SetShowControlsInAllCells(bool b)
{
    SetLook(*state_, state_->look.showControlsInAllCells, b, "ShowControlsInAllCells");
}
bool Tavix::DrawRowText() const { return state_->drawRowText; }
void Tavix::SetDrawRowText(bool b)
{
    state_->view->InvalidateRange(1);
    SetLook(*state_, state_->drawRowText, b, "DrawRowText");
}

}  // namespace tavix
