// Whole painted scenes compared pixel for pixel with the PNGs in tests/data/golden.
// TAVIX_UPDATE_GOLDEN=1 rewrites those PNGs instead of comparing.
#include "golden_scenes.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/png.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tavix::testing {
namespace {

std::string GoldenPath(const std::string& scene)
{
    return std::string(TAVIX_TEST_DATA_DIR) + "/golden/" + scene + ".png";
}

bool Updating()
{
    const char* v = std::getenv("TAVIX_UPDATE_GOLDEN");
    return v != nullptr && std::string(v) == "1";
}

// The screen is the grid's window alone, so the frame is exactly the scene.
struct SceneOnScreen {
    explicit SceneOnScreen(const GoldenScene& scene)
    {
        scene.fill(grid, icons);
        grid.Create(0, 0, 0, kGoldenWidth, kGoldenHeight);
        if (scene.focused)
            native::SetFocus(grid.hwnd());
        desktop.RunUntilIdle();
    }

    native::Desktop desktop { kGoldenWidth, kGoldenHeight };
    GoldenIcons icons;  // outlives the grid that draws with it
    Tavix grid;
};

int64_t CountDifferences(const native::Surface& frame, const native::RgbaImage& golden)
{
    int64_t diff = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            if ((frame.Pixel(x, y) & 0xFFFFFFu) != (golden.At(x, y) & 0xFFFFFFu))
                ++diff;
    return diff;
}

void ExpectSceneMatchesItsPng(const GoldenScene& scene)
{
    SceneOnScreen screen(scene);
    const native::Surface& frame = screen.desktop.Frame();
    if (Updating()) {
        ASSERT_TRUE(native::SavePng(frame, GoldenPath(scene.name)));
        GTEST_SKIP() << "rewrote " << GoldenPath(scene.name);
    }
    const auto golden = native::LoadPngRgba(GoldenPath(scene.name));
    ASSERT_TRUE(golden.has_value()) << "missing " << GoldenPath(scene.name);
    ASSERT_EQ(golden->width, frame.Width());
    ASSERT_EQ(golden->height, frame.Height());
    const int64_t diff = CountDifferences(frame, *golden);
    if (diff != 0) {
        std::filesystem::create_directories(TAVIX_TEST_OUTPUT_DIR);
        const std::string actual = std::string(TAVIX_TEST_OUTPUT_DIR) + "/golden-" + scene.name + ".png";
        native::SavePng(frame, actual);
        FAIL() << diff << " pixels differ from " << GoldenPath(scene.name) << "; actual image: " << actual;
    }
}

TEST(Golden, Plain) { ExpectSceneMatchesItsPng({ "plain", &FillPlainScene, false }); }
TEST(Golden, Formatted) { ExpectSceneMatchesItsPng({ "formatted", &FillFormattedScene, true }); }
TEST(Golden, Groups) { ExpectSceneMatchesItsPng({ "groups", &FillGroupScene, true }); }
TEST(Golden, Disabled) { ExpectSceneMatchesItsPng({ "disabled", &FillDisabledScene, false }); }

}  // namespace
}  // namespace tavix::testing
