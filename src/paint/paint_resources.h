#pragma once
// What the painter keeps between two Draws: the off-screen row buffer, the
// native fonts of the grid and cell fonts, the background picture's tiles and
// the theme state with its control strips.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "paint/theme_state.h"
#include <tavix/font.h>
#include <tavix/native/gdi.h>

namespace tavix::core {
class FontPool;
}

namespace tavix::paint {

// The surface each row is composed on before one copy to the window.
class RowBuffer {
public:
    static constexpr int32_t kWidth = 5000;

    // Recreated (and its contents lost) only when it must grow.
    void Ensure(
        native::HDC compatible, int32_t height, native::COLORREF fore, native::COLORREF back, native::HFONT font);
    native::HDC Dc() const { return dc_.Get(); }
    int32_t Height() const { return height_; }
    bool Created() const { return dc_.Get() != 0; }

private:
    native::UniqueGdiObject bitmap_;
    native::UniqueDC dc_;
    native::HGDIOBJ oldBitmap_ = 0;
    int32_t height_ = 0;
};

// A native font that stays alive while anyone holds it: a window given the
// font keeps it so, whatever the cache does with it meanwhile.
using SharedFont = std::shared_ptr<const native::UniqueGdiObject>;

// Native fonts of the grid font and of the pooled cell fonts.
class FontCache {
public:
    // Follows changes of the grid font object by comparing descriptions.
    native::HFONT GridFont(const FontRef& font) { return SharedGridFont(font)->Get(); }
    SharedFont SharedGridFont(const FontRef& font);
    // Pool entries never change, so an index maps to one native font for good.
    native::HFONT CellFont(const core::FontPool& pool, int16_t fontIndex);
    // Null for an index outside the pool.
    SharedFont SharedCellFont(const core::FontPool& pool, int16_t fontIndex);
    // A native font of the description, owned by the caller.
    static native::UniqueGdiObject Create(const FontRef& font);

private:
    std::optional<FontRef> gridDescription_;
    SharedFont grid_;
    // The font replaced last: it may still be selected into the row buffer
    // until the next Draw selects the new one, and a selected font cannot go.
    SharedFont retired_;
    std::vector<SharedFont> cells_;
};

// The background picture as an off-screen surface the tiles are copied from.
class PictureTiles {
public:
    // Rebuilt when the picture object changes; empty for a picture 0 wide.
    void Sync(const native::SurfacePtr& picture);
    bool Empty() const { return width_ == 0; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    native::HDC Dc() const { return dc_.Get(); }

private:
    native::SurfacePtr source_;
    native::UniqueGdiObject bitmap_;
    native::UniqueDC dc_;
    int32_t width_ = 0, height_ = 0;
};

class PaintResources {
public:
    PaintResources() = default;
    PaintResources(const PaintResources&) = delete;
    PaintResources& operator=(const PaintResources&) = delete;

    RowBuffer buffer;
    FontCache fonts;
    PictureTiles picture;
    ThemeState theme { 0 };
    // Rows composed by the last Draws; benchmarks and tests read it to see
    // that unchanged rows are left alone.
    int64_t rowsComposed = 0;
};

}  // namespace tavix::paint
