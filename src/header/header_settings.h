#pragma once
// The header's settings that HeaderObject exposes.
#include <tavix/enums.h>
#include <tavix/ole_color.h>

#include <cstdint>

namespace tavix::header {

struct HeaderSettings {
    // Lower limit of the height, and the height the header starts with.
    int32_t minHeight { 18 };
    bool visible { true };
    bool dragCols { true };
    bool immediateColumnResizing { false };
    bool flat { false };
    bool buttons { true };
    bool hotTrack { true };
    EHeaderHotTrackFlags hotTrackFlags { tvHdrHotText };
    ESortInfoStyles sortInfoStyle { tvSortInfoNumIcons };
    ESortIconStyles sortIconStyle { tvSortIconAuto };
    bool useXPStyles { true };
    bool enabled { true };
    OleColor backColor { 0x8000000Fu };
    OleColor foreColor { 0x80000012u };
    OleColor solidSortIconColor { 0x80000011u };
    OleColor hotTrackForeColor { 0x8000000Du };

    bool HotTracks(EHeaderHotTrackFlags part) const { return (hotTrackFlags & part) != 0; }
};

}  // namespace tavix::header
