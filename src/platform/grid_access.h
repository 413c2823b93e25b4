#pragma once
// The grid's subsystems, for white-box tests and benchmarks that observe what
// the public members do not show (rows composed, the visible range). Not
// installed: code outside the library uses the public members.
#include "core/grid_table.h"
#include "edit/editor.h"
#include "interaction/incremental_search.h"
#include "interaction/keyboard.h"
#include "interaction/mouse.h"
#include "interaction/selection.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"
#include "sort/grid_sorter.h"

#include <tavix/grid.h>

namespace tavix::internal {

struct GridAccess {
    static core::GridTable& Table(Tavix& grid) { return *grid.table_; }
    static layout::ViewLayout& Layout(Tavix& grid) { return *grid.layout_; }
    static paint::GridPainter& Painter(Tavix& grid) { return *grid.painter_; }
    static interaction::Selection& Selection(Tavix& grid) { return *grid.selection_; }
    static interaction::Keyboard& Keyboard(Tavix& grid) { return *grid.keyboard_; }
    static interaction::Mouse& Mouse(Tavix& grid) { return *grid.mouse_; }
    static sort::GridSorter& Sorter(Tavix& grid) { return *grid.sorter_; }
    static edit::Editor& Editor(Tavix& grid) { return *grid.editor_; }
};

}  // namespace tavix::internal
