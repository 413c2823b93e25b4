#include <tavix/grid.h>

#include "platform/grid_view.h"

#include <tavix/error.h>

namespace tavix {

namespace {

platform::GridView* ViewOf(core::GridState& s) { return dynamic_cast<platform::GridView*>(s.ownedView.get()); }

platform::GridView& RequireView(core::GridState& s)
{
    auto* view = ViewOf(s);
    if (view == nullptr)
        throw TavixError::Runtime(91);
    return *view;
}

}  // namespace

int32_t Tavix::Create(int32_t hwndParent, int32_t x, int32_t y, int32_t width, int32_t height)
{
    auto& s = State();
    if (auto* existing = ViewOf(s))
        return existing->Window();
    auto view = std::make_unique<platform::GridView>(s);
    auto* raw = view.get();
    s.AdoptView(std::move(view));
    const int32_t hwnd = raw->Create(hwndParent, x, y, width, height);
    if (hwnd == 0) {
        s.AdoptView(nullptr);
        throw TavixError::Runtime(91);
    }
    raw->ApplyScrollBarStyle(s.geo.scrollBarStyle);
    return hwnd;
}

int32_t Tavix::hwnd() const { return State().geo.hwnd; }

ScrollBarObject& Tavix::HScrollBar() { return RequireView(State()).HScrollBar(); }
ScrollBarObject& Tavix::VScrollBar() { return RequireView(State()).VScrollBar(); }

EScrollBarStyles Tavix::ScrollBarStyle() const { return static_cast<EScrollBarStyles>(State().geo.scrollBarStyle); }

void Tavix::SetScrollBarStyle(EScrollBarStyles eStyle)
{
    auto& s = State();
    s.geo.scrollBarStyle = eStyle;
    if (auto* view = ViewOf(s))
        view->ApplyScrollBarStyle(eStyle);
    GetHost().PropertyChanged("ScrollBarStyle");
}

}  // namespace tavix
