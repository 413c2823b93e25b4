// The appearance properties of the grid: each setter stores the value, asks for
// a full repaint, draws and tells the host the property changed.
#include "core/grid_table.h"
#include "paint/grid_painter.h"

#include <tavix/grid.h>

namespace tavix {

namespace {

using paint::Appearance;

template <typename T>
void SetLook(
    paint::GridPainter& painter, Host& host, T Appearance::*field, T value, std::string_view name, bool below = false)
{
    painter.SetLook(field, value, below);
    host.PropertyChanged(name);
}

// The focus colours only show while the focus rectangle does.
void SetFocusColor(
    paint::GridPainter& painter, Host& host, OleColor Appearance::*field, OleColor value, std::string_view name)
{
    if (painter.Look().focusRect)
        painter.SetLook(field, value);
    else
        painter.StoreLook(field, value);
    host.PropertyChanged(name);
}

}  // namespace

OleColor Tavix::BackColor() const { return painter_->Look().backColor; }
void Tavix::SetBackColor(OleColor c) { SetLook(*painter_, *host_, &Appearance::backColor, c, "BackColor", true); }
OleColor Tavix::ForeColor() const { return painter_->Look().foreColor; }
void Tavix::SetForeColor(OleColor c) { SetLook(*painter_, *host_, &Appearance::foreColor, c, "ForeColor"); }

OleColor Tavix::BackColorOddRows() const { return table_->BackColorOddRows(); }

void Tavix::SetBackColorOddRows(OleColor c)
{
    table_->SetBandColors(c, table_->BackColorEvenRows());
    painter_->MarkFullRedraw();
    painter_->Draw();
    host_->PropertyChanged("BackColorOddRows");
}

OleColor Tavix::BackColorEvenRows() const { return table_->BackColorEvenRows(); }

void Tavix::SetBackColorEvenRows(OleColor c)
{
    table_->SetBandColors(table_->BackColorOddRows(), c);
    painter_->MarkFullRedraw();
    painter_->Draw();
    host_->PropertyChanged("BackColorEvenRows");
}

OleColor Tavix::HighlightBackColor() const { return painter_->Look().highlightBackColor; }

void Tavix::SetHighlightBackColor(OleColor c)
{
    SetLook(*painter_, *host_, &Appearance::highlightBackColor, c, "HighlightBackColor");
}

OleColor Tavix::HighlightForeColor() const { return painter_->Look().highlightForeColor; }

void Tavix::SetHighlightForeColor(OleColor c)
{
    SetLook(*painter_, *host_, &Appearance::highlightForeColor, c, "HighlightForeColor");
}

OleColor Tavix::HighlightBackColorNoFocus() const { return painter_->Look().highlightBackColorNoFocus; }

void Tavix::SetHighlightBackColorNoFocus(OleColor c)
{
    SetLook(*painter_, *host_, &Appearance::highlightBackColorNoFocus, c, "HighlightBackColorNoFocus");
}

OleColor Tavix::HighlightForeColorNoFocus() const { return painter_->Look().highlightForeColorNoFocus; }

void Tavix::SetHighlightForeColorNoFocus(OleColor c)
{
    SetLook(*painter_, *host_, &Appearance::highlightForeColorNoFocus, c, "HighlightForeColorNoFocus");
}

bool Tavix::HighlightSelCells() const { return painter_->Look().highlightSelCells; }

void Tavix::SetHighlightSelCells(bool b)
{
    SetLook(*painter_, *host_, &Appearance::highlightSelCells, b, "HighlightSelCells");
}

bool Tavix::HighlightSelIcons() const { return painter_->Look().highlightSelIcons; }

void Tavix::SetHighlightSelIcons(bool b)
{
    SetLook(*painter_, *host_, &Appearance::highlightSelIcons, b, "HighlightSelIcons");
}

EGridLines Tavix::GridLines() const { return painter_->Look().gridLines; }
void Tavix::SetGridLines(EGridLines e) { SetLook(*painter_, *host_, &Appearance::gridLines, e, "GridLines", true); }
EGridLinesExtendModes Tavix::GridLinesExtend() const { return painter_->Look().gridLinesExtend; }

void Tavix::SetGridLinesExtend(EGridLinesExtendModes e)
{
    SetLook(*painter_, *host_, &Appearance::gridLinesExtend, e, "GridLinesExtend", true);
}

OleColor Tavix::GridLineColor() const { return painter_->Look().gridLineColor; }

void Tavix::SetGridLineColor(OleColor c)
{
    SetLook(*painter_, *host_, &Appearance::gridLineColor, c, "GridLineColor", true);
}

bool Tavix::FocusRect() const { return painter_->Look().focusRect; }
void Tavix::SetFocusRect(bool b) { SetLook(*painter_, *host_, &Appearance::focusRect, b, "FocusRect"); }
OleColor Tavix::FocusRectColor1() const { return painter_->Look().focusRectColor1; }

void Tavix::SetFocusRectColor1(OleColor c)
{
    SetFocusColor(*painter_, *host_, &Appearance::focusRectColor1, c, "FocusRectColor1");
}

OleColor Tavix::FocusRectColor2() const { return painter_->Look().focusRectColor2; }

void Tavix::SetFocusRectColor2(OleColor c)
{
    SetFocusColor(*painter_, *host_, &Appearance::focusRectColor2, c, "FocusRectColor2");
}

bool Tavix::OpaqueTextInHatchedCells() const { return painter_->Look().opaqueTextInHatchedCells; }

void Tavix::SetOpaqueTextInHatchedCells(bool b)
{
    SetLook(*painter_, *host_, &Appearance::opaqueTextInHatchedCells, b, "OpaqueTextInHatchedCells");
}

bool Tavix::ShowControlsInAllCells() const { return painter_->Look().showControlsInAllCells; }

void Tavix::SetShowControlsInAllCells(bool b)
{
    SetLook(*painter_, *host_, &Appearance::showControlsInAllCells, b, "ShowControlsInAllCells");
}

bool Tavix::DrawRowText() const { return table_->DrawRowText(); }

void Tavix::SetDrawRowText(bool b)
{
    table_->SetDrawRowText(b);
    painter_->MarkFullRedraw();
    painter_->Draw();
    host_->PropertyChanged("DrawRowText");
}

}  // namespace tavix
