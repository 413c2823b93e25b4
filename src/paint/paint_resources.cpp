#include "paint/paint_resources.h"

#include "core/font_pool.h"
#include <tavix/native/text.h>

namespace tavix::paint {

using namespace native;

void RowBuffer::Ensure(HDC compatible, int32_t height, COLORREF fore, COLORREF back, HFONT font)
{
    if (Created() && height <= height_)
        return;
    height = std::max(height, height_);
    if (Created())
        SelectObject(dc_, oldBitmap_);
    dc_.Reset(CreateCompatibleDC(compatible));
    bitmap_.Reset(CreateCompatibleBitmap(compatible, kWidth, height));
    if (!dc_.Get() || !bitmap_.Get()) {
        dc_.Reset();
        bitmap_.Reset();
        height_ = 0;
        return;
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    height_ = height;
    SetTextColor(dc_, fore);
    SetBkColor(dc_, back);
    SetBkMode(dc_, TRANSPARENT);
    if (font)
        SelectObject(dc_, font);
    UniqueGdiObject brush(CreateSolidBrush(back));
    FillRect(dc_, { 0, 0, kWidth, height }, brush);
}

UniqueGdiObject FontCache::Create(const FontRef& font)
{
    FontSpec face;
    face.name = font.Name();
    face.points = font.Size();
    face.weight = font.Weight();
    face.italic = font.Italic();
    face.underline = font.Underline();
    face.strikeout = font.Strikethrough();
    face.charset = font.Charset();
    return UniqueGdiObject(CreateFontFromSpec(face));
}

SharedFont FontCache::SharedGridFont(const FontRef& font)
{
    if (!gridDescription_ || !FontsEqual(*gridDescription_, font) || !grid_ || !grid_->Get()) {
        gridDescription_ = font.Clone();
        retired_ = std::move(grid_);
        grid_ = std::make_shared<const UniqueGdiObject>(Create(font));
    }
    return grid_;
}

SharedFont FontCache::SharedCellFont(const core::FontPool& pool, int16_t fontIndex)
{
    if (fontIndex < 1 || fontIndex > pool.Count())
        return nullptr;
    if (cells_.size() < static_cast<size_t>(fontIndex))
        cells_.resize(static_cast<size_t>(fontIndex));
    SharedFont& slot = cells_[static_cast<size_t>(fontIndex - 1)];
    if (!slot || !slot->Get())
        slot = std::make_shared<const UniqueGdiObject>(Create(pool.At(fontIndex)));
    return slot;
}

HFONT FontCache::CellFont(const core::FontPool& pool, int16_t fontIndex)
{
    const SharedFont font = SharedCellFont(pool, fontIndex);
    return font ? font->Get() : 0;
}

void PictureTiles::Sync(const SurfacePtr& picture)
{
    if (picture == source_)
        return;
    source_ = picture;
    dc_.Reset();
    bitmap_.Reset();
    width_ = height_ = 0;
    if (!picture || picture->Width() == 0 || picture->Height() == 0)
        return;
    // A private copy: the application may go on changing its picture.
    bitmap_.Reset(CreateBitmapFromSurface(std::make_shared<Surface>(*picture)));
    dc_.Reset(CreateCompatibleDC(0));
    SelectObject(dc_, bitmap_);
    width_ = picture->Width();
    height_ = picture->Height();
}

}  // namespace tavix::paint
