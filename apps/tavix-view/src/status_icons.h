// The sample's status icons: one small drawn image per order status, in an image list
// the grid draws combo cells' icons from. The list lives as long as this object.
#pragma once

#include <tavix/native/gdi.h>

namespace tavix::view {

class StatusIcons {
public:
    static constexpr int kSize = 14;

    StatusIcons();
    ~StatusIcons();
    StatusIcons(const StatusIcons&) = delete;
    StatusIcons& operator=(const StatusIcons&) = delete;

    native::HIMAGELIST Handle() const { return list_; }

private:
    native::HIMAGELIST list_ { 0 };
};

}  // namespace tavix::view
