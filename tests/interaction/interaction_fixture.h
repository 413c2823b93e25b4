#pragma once

#include <tavix/error.h>
#include <tavix/grid.h>

#include "core/grid_state.h"
#include "interaction/keyboard.h"
#include "support/event_recorder.h"
#include "support/selected_cells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavix::test {

using Strings = std::vector<std::string>;
using Cells = testing::Cells;

// Logs the view calls in one sequence with the events; ScrollCellIntoView can be told to scroll.
class LoggingView : public core::GridViewHooks {
public:
    LoggingView(Strings& log, core::GridState& state)
        : log_(log)
        , s_(state)
    {
    }
    void Draw() override { log_.push_back("Draw"); }
    void CancelEdit() override { log_.push_back("view.CancelEdit"); }
    void ScrollCellIntoView(int32_t row, int32_t col) override
    {
        log_.push_back("Scroll(" + std::to_string(row) + "," + std::to_string(col) + ")");
        s_.geo.scrollY += scrollBy;
    }
    scroll::ScrollBars* Bars() override { return bars; }
    int32_t scrollBy { 0 };
    scroll::ScrollBars* bars { nullptr };

private:
    Strings& log_;
    core::GridState& s_;
};

// A grid of cols x rows cells keyed c1.. and r1.., with its events and view calls in `log`.
class GridFixture : public ::testing::Test {
protected:
    void Build(int32_t cols, int32_t rows)
    {
        for (int32_t c = 1; c <= cols; ++c)
            grid.AddCol("c" + std::to_string(c));
        for (int32_t r = 1; r <= rows; ++r)
            grid.AddRow("r" + std::to_string(r));
        recorder.onAny = [this](const testing::RecordedEvent& e) { log.push_back(e.ToString()); };
        grid.SetEventSink(&recorder);
        grid.SetViewHooks(&view);
    }
    // The log without the repaints and scrolls, emptied.
    Strings Take()
    {
        Strings out;
        for (const auto& e : log)
            if (e != "Draw" && e.rfind("Scroll(", 0) != 0)
                out.push_back(e);
        log.clear();
        return out;
    }
    Cells Selected() const { return testing::SelectedCells(grid); }
    void Key(int32_t vk, int32_t shift = 0) { keys.OnKeyDown(vk, shift); }
    void Type(const std::string& text)
    {
        for (const char c : text)
            keys.OnChar(static_cast<unsigned char>(c));
    }

    Tavix grid;
    core::GridState& state { grid.State() };
    Strings log;
    LoggingView view { log, state };
    testing::EventRecorder recorder;
    interaction::Keyboard keys { state };
};

template <typename Fn> int32_t ErrorOf(Fn&& fn)
{
    try {
        fn();
    } catch (const TavixError& e) {
        return e.Code();
    }
    return 0;
}

}  // namespace tavix::test
