#include "header/grid_header.h"
#include "paint/image_list_handle.h"

#include <tavix/error.h>
#include <tavix/header_object.h>

namespace tavix {

namespace {

template <typename T> void Restyle(header::GridHeader& h, T header::HeaderSettings::*field, T value)
{
    h.Control().Settings().*field = value;
    h.Control().ApplyStyles();
    h.Control().RefreshEntireHeader();
}

}  // namespace

OleColor HeaderObject::ForeColor() const { return header_->Control().Settings().foreColor; }
void HeaderObject::SetForeColor(OleColor c) { Restyle(*header_, &header::HeaderSettings::foreColor, c); }
OleColor HeaderObject::BackColor() const { return header_->Control().Settings().backColor; }
void HeaderObject::SetBackColor(OleColor c) { Restyle(*header_, &header::HeaderSettings::backColor, c); }
bool HeaderObject::Visible() const { return header_->Control().Visible(); }

void HeaderObject::SetVisible(bool b)
{
    header_->Control().SetVisible(b);
    header_->HeightChanged();
}

bool HeaderObject::DragCols() const { return header_->Control().Settings().dragCols; }
void HeaderObject::SetDragCols(bool b) { Restyle(*header_, &header::HeaderSettings::dragCols, b); }
int32_t HeaderObject::Height() const { return header_->WindowHeight(); }

void HeaderObject::SetHeight(int32_t h)
{
    if (h < 1)
        RaiseGridError(tvErrInvalidArgument);
    if (h < header_->Control().Settings().minHeight)
        return;
    header_->Control().SetHeight(h);
    header_->HeightChanged();
}

int32_t HeaderObject::MinHeight() const { return header_->Control().Settings().minHeight; }

void HeaderObject::SetMinHeight(int32_t h)
{
    if (h < 0)
        RaiseGridError(tvErrInvalidArgument);
    header_->Control().Settings().minHeight = h;
    if (header_->WindowHeight() < h) {
        header_->Control().SetHeight(h);
        header_->HeightChanged();
    }
}

int32_t HeaderObject::hwnd() const { return header_->Control().Window(); }

void HeaderObject::SetImageList(const GridVariant& v)
{
    if (const int32_t handle = paint::ImageListHandle(v); handle != 0)
        header_->Control().SetImageList(handle);
}

FontRef HeaderObject::Font() const { return header_->Font(); }
void HeaderObject::SetFont(const FontRef& f) { header_->SetFont(f); }
FontRef HeaderObject::SortInfoFont() const { return header_->SortInfoFont(); }
void HeaderObject::SetSortInfoFont(const FontRef& f) { header_->SetSortInfoFont(f); }

void HeaderObject::AutoHeight()
{
    header_->Control().AutoHeight();
    header_->HeightChanged();
}

bool HeaderObject::UseXPStyles() const { return header_->Control().Settings().useXPStyles; }

void HeaderObject::SetUseXPStyles(bool b)
{
    header_->Control().Settings().useXPStyles = b;
    header_->Control().ChangeTheme();
}

bool HeaderObject::Flat() const { return header_->Control().Settings().flat; }
void HeaderObject::SetFlat(bool b) { Restyle(*header_, &header::HeaderSettings::flat, b); }
bool HeaderObject::Buttons() const { return header_->Control().Settings().buttons; }
void HeaderObject::SetButtons(bool b) { Restyle(*header_, &header::HeaderSettings::buttons, b); }
ESortInfoStyles HeaderObject::SortInfoStyle() const { return header_->Control().Settings().sortInfoStyle; }
void HeaderObject::SetSortInfoStyle(ESortInfoStyles e) { Restyle(*header_, &header::HeaderSettings::sortInfoStyle, e); }
ESortIconStyles HeaderObject::SortIconStyle() const { return header_->Control().Settings().sortIconStyle; }
void HeaderObject::SetSortIconStyle(ESortIconStyles e) { Restyle(*header_, &header::HeaderSettings::sortIconStyle, e); }
OleColor HeaderObject::SolidSortIconColor() const { return header_->Control().Settings().solidSortIconColor; }

void HeaderObject::SetSolidSortIconColor(OleColor c)
{
    Restyle(*header_, &header::HeaderSettings::solidSortIconColor, c);
}

EHeaderAutoHeightFlags HeaderObject::AutoHeightFlags() const { return header_->AutoHeightFlags(); }
void HeaderObject::SetAutoHeightFlags(EHeaderAutoHeightFlags e) { header_->SetAutoHeightFlags(e); }
bool HeaderObject::HotTrack() const { return header_->Control().Settings().hotTrack; }
void HeaderObject::SetHotTrack(bool b) { Restyle(*header_, &header::HeaderSettings::hotTrack, b); }
OleColor HeaderObject::HotTrackForeColor() const { return header_->Control().Settings().hotTrackForeColor; }

void HeaderObject::SetHotTrackForeColor(OleColor c)
{
    Restyle(*header_, &header::HeaderSettings::hotTrackForeColor, c);
}

EHeaderHotTrackFlags HeaderObject::HotTrackFlags() const { return header_->Control().Settings().hotTrackFlags; }
void HeaderObject::SetHotTrackFlags(EHeaderHotTrackFlags e)
{
    Restyle(*header_, &header::HeaderSettings::hotTrackFlags, e);
}

}  // namespace tavix
