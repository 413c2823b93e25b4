#include <tavix/native/gdi.h>

namespace tavix::native {

DcStateSaver::DcStateSaver(HDC hdc)
    : hdc_(hdc)
    , clip_(CreateRectRgn(0, 0, 0, 0))
    , text_(GetTextColor(hdc))
    , bk_(GetBkColor(hdc))
    , bkMode_(GetBkMode(hdc))
    , viewport_(GetViewportOrg(hdc))
    , brush_(GetCurrentObject(hdc, OBJ_BRUSH))
    , pen_(GetCurrentObject(hdc, OBJ_PEN))
    , font_(GetCurrentObject(hdc, OBJ_FONT))
{
    hadClip_ = GetClipRgn(hdc, clip_) == 1;
}

DcStateSaver::~DcStateSaver()
{
    SelectClipRgn(hdc_, hadClip_ ? clip_.Get() : 0);
    SetTextColor(hdc_, text_);
    SetBkColor(hdc_, bk_);
    SetBkMode(hdc_, bkMode_);
    SetViewportOrg(hdc_, viewport_);
    if (brush_)
        SelectObject(hdc_, brush_);
    if (pen_)
        SelectObject(hdc_, pen_);
    if (font_)
        SelectObject(hdc_, font_);
}

}  // namespace tavix::native
