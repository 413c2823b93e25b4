#pragma once
// WM_NOTIFY: the header every control notification starts with, and the
// notification codes shared by all controls.
#include <tavix/native/messages.h>

namespace tavix::native {

struct NMHDR {
    HWND hwndFrom { 0 };
    UINT_PTR idFrom { 0 };
    UINT code { 0 };
};

// Codes are negative numbers carried in an unsigned field, as on the platform.
inline constexpr UINT NM_FIRST = 0u;
inline constexpr UINT NM_CLICK = NM_FIRST - 2u, NM_DBLCLK = NM_FIRST - 3u, NM_RCLICK = NM_FIRST - 5u,
                      NM_RDBLCLK = NM_FIRST - 6u, NM_RELEASEDCAPTURE = NM_FIRST - 16u;

}  // namespace tavix::native
