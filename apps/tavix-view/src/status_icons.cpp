#include "status_icons.h"

#include "sample_database.h"

#include <tavix/native/imagelist.h>

#include <algorithm>
#include <cmath>

namespace tavix::view {

namespace {

// A disc in the status's colour with a soft edge; a ring for states still open.
native::RgbaImage Disc(uint32_t rgb, bool ring)
{
    constexpr int n = StatusIcons::kSize;
    native::RgbaImage image { n, n, std::vector<uint32_t>(n * n, 0) };
    const double c = (n - 1) / 2.0, r = n / 2.0 - 1.0;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double d = std::hypot(x - c, y - c);
            double cover = std::clamp(r + 0.5 - d, 0.0, 1.0);
            if (ring)
                cover = std::min(cover, std::clamp(d - (r - 3.0) + 0.5, 0.0, 1.0));
            auto alpha = static_cast<uint32_t>(std::lround(cover * 255));
            image.pixels[y * n + x] = (alpha << 24) | rgb;
        }
    }
    return image;
}

}  // namespace

StatusIcons::StatusIcons()
    : list_(native::ImageList_Create(kSize, kSize, native::ILC_COLOR32, 5, 1))
{
    // In the order of SampleDatabase::Statuses(): New, Processing, Shipped, Delivered, Cancelled.
    struct Look {
        uint32_t rgb;
        bool ring;
    };
    static constexpr Look kLooks[]
        = { { 0x2F7FD8, true }, { 0xE0A020, true }, { 0x8A5CC8, false }, { 0x2FA84F, false }, { 0xD0403A, false } };
    static_assert(std::size(kLooks) == 5);
    for (const auto& look : kLooks)
        native::ImageList_AddImage(list_, Disc(look.rgb, look.ring));
}

StatusIcons::~StatusIcons() { native::ImageList_Destroy(list_); }

}  // namespace tavix::view
