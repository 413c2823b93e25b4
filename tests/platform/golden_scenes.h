// Whole-scene grids for the golden screenshots, filled through the public API only.
#pragma once

#include <tavix/grid.h>
#include <tavix/native/gdi.h>

#include <string>

namespace tavix::testing {

// Four 16 x 16 icons drawn in code (a disc, a square, a triangle, a cross),
// so the goldens do not depend on an image file; the list dies with the object.
class GoldenIcons {
public:
    GoldenIcons();
    ~GoldenIcons();
    GoldenIcons(const GoldenIcons&) = delete;
    GoldenIcons& operator=(const GoldenIcons&) = delete;

    native::HIMAGELIST Handle() const { return handle_; }

private:
    native::HIMAGELIST handle_ { 0 };
};

// A scene fills the grid before its window exists; `focused` scenes take the
// keyboard focus once the window is there, so the focus rectangle shows.
struct GoldenScene {
    std::string name;
    void (*fill)(Tavix& grid, const GoldenIcons& icons);
    bool focused { false };
};

constexpr int kGoldenWidth = 480;
constexpr int kGoldenHeight = 260;

// Text and numbers in the default look.
void FillPlainScene(Tavix& grid, const GoldenIcons& icons);
// Formats, alignment, cell colours, fonts, icons, check and combo cells, hatch,
// row bands, a selected cell and the current cell.
void FillFormattedScene(Tavix& grid, const GoldenIcons& icons);
// Group rows and row text under the normal cells of taller rows.
void FillGroupScene(Tavix& grid, const GoldenIcons& icons);
// A disabled grid whose icons are drawn disabled.
void FillDisabledScene(Tavix& grid, const GoldenIcons& icons);

}  // namespace tavix::testing
