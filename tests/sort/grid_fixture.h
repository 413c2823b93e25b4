// A grid with a recording view and event sink, and a mirror of its rows for the literal sort.
#pragma once

#include <tavix/error.h>
#include <tavix/grid.h>

#include <functional>
#include <string>
#include <vector>

#include "../../src/core/grid_state.h"
#include "support/event_recorder.h"
#include "table_source.h"

namespace tavix::test {

class RecordingView : public core::GridViewHooks {
public:
    std::vector<std::string> calls;
    void InvalidateRange(int32_t mode) override { calls.push_back("InvalidateRange(" + std::to_string(mode) + ")"); }
    void MarkLayoutStale() override { calls.push_back("MarkLayoutStale"); }
    void Draw() override { calls.push_back("Draw"); }
    void CancelEdit() override { calls.push_back("CancelEdit"); }
    void HeaderRepaint() override { calls.push_back("HeaderRepaint"); }
    void HeaderRedrawItem(int32_t position) override
    {
        calls.push_back("HeaderRedrawItem(" + std::to_string(position) + ")");
    }
    void HeaderAutoHeight(int32_t flag) override { calls.push_back("HeaderAutoHeight(" + std::to_string(flag) + ")"); }
    void ScrollCellIntoView(int32_t row, int32_t col) override
    {
        calls.push_back("ScrollCellIntoView(" + std::to_string(row) + "," + std::to_string(col) + ")");
    }
};

struct SortGrid {
    Tavix grid;
    RecordingView view;
    testing::EventRecorder events;

    SortGrid()
    {
        grid.SetEventSink(&events);
        grid.SetViewHooks(&view);
    }

    // Each row's tag is its number at creation, so the final order reads back from the tags.
    void AddRows(int32_t count)
    {
        for (int32_t i = 0; i < count; ++i) {
            grid.AddRow();
            grid.SetRowTag(grid.RowCount(), GridVariant(grid.RowCount()));
        }
    }
    // Long columns, one vector of values each, all of the same length.
    void Build(const std::vector<std::vector<int32_t>>& columns)
    {
        for (size_t c = 0; c < columns.size(); ++c)
            grid.AddCol();
        AddRows(columns.empty() ? 0 : static_cast<int32_t>(columns[0].size()));
        for (size_t c = 0; c < columns.size(); ++c)
            for (size_t r = 0; r < columns[c].size(); ++r)
                grid.SetCellValue(static_cast<int32_t>(r + 1), static_cast<int32_t>(c + 1), GridVariant(columns[c][r]));
    }
    std::vector<int32_t> Order() const
    {
        std::vector<int32_t> out;
        for (int32_t r = 1; r <= grid.RowCount(); ++r)
            out.push_back(grid.RowTag(r).ToLong());
        return out;
    }
    // The rows as the literal sort sees them: the same values and display texts.
    TableSource Mirror()
    {
        auto& s = grid.State();
        TableSource src;
        for (int32_t r = 1; r <= s.rowCount; ++r) {
            TestRow row;
            row.group = s.rows.At(r).IsGroup;
            for (int32_t c = 1; c <= s.ColCount(); ++c) {
                const core::CellData& d = s.cells.At(r, c);
                row.cells.push_back(TestCell { d.Value, grid.CellText(r, c), d.Icon, d.ExtraIcon, d.FontIndex, d.Indent,
                    d.ForeColor, d.BackColor, (d.Flags & core::CellData::kSelected) != 0, d.Hatch });
            }
            src.rows.push_back(row);
        }
        return src;
    }
};

inline void ExpectGridError(int32_t code, const std::function<void()>& f)
{
    try {
        f();
        ADD_FAILURE() << "no error raised";
    } catch (const TavixError& e) {
        EXPECT_EQ(e.Code(), code);
    }
}

}  // namespace tavix::test
