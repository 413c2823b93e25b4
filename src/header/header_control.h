#pragma once
// The column header above the cells: one item per shown column, carrying the
// column's display position. The native header window is not built yet, so the
// header has no height and its item operations have nothing to update.
#include "core/grid_table.h"
#include "layout/view_layout.h"

#include <tavix/enums.h>

#include <cstdint>

namespace tavix::header {

class HeaderControl : public core::HeaderItems, public layout::HeaderGeometry {
public:
    explicit HeaderControl(core::GridTable& table)
        : table_(table)
    {
    }
    HeaderControl(const HeaderControl&) = delete;
    HeaderControl& operator=(const HeaderControl&) = delete;

    // core::HeaderItems
    void ItemInserted(int32_t, int32_t, int32_t) override { }
    void ItemRemoved(int32_t) override { }
    void AllItemsRemoved() override { }
    void ItemMoved(int32_t, int32_t) override { }
    void ItemsRenumbered(int32_t, int32_t) override { }
    void ItemResized(int32_t, int32_t) override { }
    void ItemChanged(int32_t) override { }
    void Repaint() override { }
    bool AutoHeightOn(EHeaderAutoHeightFlags reason) const override { return (autoHeightFlags_ & reason) != 0; }
    void AutoHeight() override { }

    // layout::HeaderGeometry
    int32_t Height() const override { return 0; }

private:
    core::GridTable& table_;
    int32_t autoHeightFlags_ { tvHAHOnAddCol | tvHAHOnThemeChange };
};

}  // namespace tavix::header
