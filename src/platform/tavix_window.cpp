// Construction of the grid and its window.
#include "core/grid_table.h"
#include "edit/editor.h"
#include "header/grid_header.h"
#include "interaction/incremental_search.h"
#include "interaction/keyboard.h"
#include "interaction/mouse.h"
#include "interaction/selection.h"
#include "layout/view_layout.h"
#include "paint/auto_sizer.h"
#include "paint/grid_painter.h"
#include "platform/grid_window.h"
#include "sort/grid_sorter.h"

#include <tavix/error.h>
#include <tavix/grid.h>

namespace tavix {

Tavix::Tavix()
    : ownHost_(std::make_unique<StandaloneHost>())
    , host_(ownHost_.get())
{
    BuildSubsystems();
}

Tavix::Tavix(Host& host)
    : host_(&host)
{
    BuildSubsystems();
}

void Tavix::BuildSubsystems()
{
    // Each subsystem receives what lies below it; the calls up the layers are
    // wired once everything exists.
    table_ = std::make_unique<core::GridTable>(*host_);
    layout_ = std::make_unique<layout::ViewLayout>(*table_);
    painter_ = std::make_unique<paint::GridPainter>(*table_, *layout_);
    selection_ = std::make_unique<interaction::Selection>(*table_, *layout_, *painter_);
    search_ = std::make_unique<interaction::IncrementalSearch>(*table_, *painter_, *selection_);
    keyboard_ = std::make_unique<interaction::Keyboard>(*table_, *layout_, *painter_, *selection_, *search_);
    mouse_ = std::make_unique<interaction::Mouse>(*table_, *layout_, *painter_, *selection_, *search_, *keyboard_);
    sorter_ = std::make_unique<sort::GridSorter>(*table_);
    sizer_ = std::make_unique<paint::AutoSizer>(*table_, *layout_, *painter_);
    header_ = std::make_unique<header::GridHeader>(*table_, *layout_, *painter_, *sizer_, *sorter_);
    editor_ = std::make_unique<edit::Editor>(*table_, *layout_, *painter_, *keyboard_, *search_);
    table_->Connect({ *editor_, *header_, *layout_, *painter_, *editor_ });
    layout_->Connect(*header_);
    painter_->Connect(*editor_);
    sizer_->Connect(*header_);
    keyboard_->Connect(*editor_);
}

Tavix::~Tavix() = default;

void Tavix::SetEventSink(TavixEvents* sink) { host_->SetEventSink(sink); }

int32_t Tavix::Create(int32_t hwndParent, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (window_)
        return window_->Handle();
    window_ = std::make_unique<platform::GridWindow>(*table_, *layout_, *painter_, *keyboard_, *mouse_, *header_);
    if (window_->Create(hwndParent, x, y, width, height) == 0) {
        window_.reset();
        throw TavixError::Runtime(rtObjectNotSet);
    }
    return window_->Handle();
}

int32_t Tavix::hwnd() const { return layout_->Window(); }

bool Tavix::Enabled() const { return painter_->Look().enabled; }

void Tavix::SetEnabled(bool bValue)
{
    table_->Editor().CancelEdit();
    header_->SetEnabled(bValue);
    painter_->SetEnabled(bValue);
    host_->PropertyChanged("Enabled");
}

}  // namespace tavix
