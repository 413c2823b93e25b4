// Random operations on a grid in a headless window: API calls, key, mouse, wheel
// and scroll-bar input, and event handlers that change the grid under the
// operation raising them. A model of the table, keyed by the serial number each
// row and column carries in its tag, is checked after every step. CI runs a few
// thousand steps; scripts/soak.sh runs it for as long as asked with a fresh seed
// (TAVIX_SOAK_SECONDS, TAVIX_SOAK_SEED) and prints the seed and the last
// operations when a check fails.
#include "support/errors.h"
#include "support/grid_window.h"

#include <tavix/error.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <sstream>

// The header is there whenever the compiler is; the runtime only in sanitized builds.
#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#define TAVIX_SOAK_DEATH_CALLBACK 1
#endif

namespace tavix {
namespace {

using testing::WindowScene;

struct RowModel {
    std::string key;
    int32_t height { 15 };
    bool visible { true };
    bool group { false };
};

struct ColModel {
    int32_t width { 0 };
    bool visible { true };
};

// What the grid must hold: rows and columns by serial, cell values by the pair.
// Order is the grid's own business (sorting, insertion and moves are tested by
// their suites); what must hold whatever the order is checked here.
struct TableModel {
    std::map<int32_t, RowModel> rows;
    std::map<int32_t, ColModel> cols;
    std::map<std::pair<int32_t, int32_t>, GridVariant> values;

    void EraseRow(int32_t serial)
    {
        rows.erase(serial);
        std::erase_if(values, [&](const auto& v) { return v.first.first == serial; });
    }
    void EraseCol(int32_t serial)
    {
        cols.erase(serial);
        std::erase_if(values, [&](const auto& v) { return v.first.second == serial; });
    }
    void ClearRows()
    {
        rows.clear();
        values.clear();
    }
};

bool SameValue(const GridVariant& a, const GridVariant& b)
{
    if (a.VarType() != b.VarType())
        return false;
    if (a.IsString())
        return a.AsString() == b.AsString();
    try {
        return a.ToString() == b.ToString();
    } catch (const TavixError&) {
        return true;  // errors and nulls have no text; the type matched
    }
}

class Soak : public TavixEvents {
public:
    explicit Soak(uint32_t seed)
        : scene_(WindowScene::Options { .cols = 0, .rows = 0, .width = 260, .height = 180 })
        , rng_(seed)
    {
        g().SetEventSink(this);
        g().SetBackColorOddRows(0xFF);
        scene_.Focus();
    }

    void Step(int step);
    // Every invariant of the table and the model; the first failure is fatal.
    void Check();
    std::string Trail() const
    {
        std::ostringstream out;
        for (const auto& op : trail_)
            out << "  " << op << "\n";
        return out.str();
    }

private:
    Tavix& g() { return scene_.grid; }
    int32_t Pick(int32_t n) { return static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)) + 1; }
    bool OneIn(int n) { return rng_() % static_cast<uint32_t>(n) == 0; }
    void Note(std::string op)
    {
        if (op.empty())
            return;
        trail_.push_back(std::to_string(step_) + ": " + op);
        if (trail_.size() > 40)
            trail_.pop_front();
    }

    // Runs a call whose change the model already holds; a refused call leaves the model as it was.
    template <typename T, typename Call> static void Restoring(T& field, T was, Call call)
    {
        try {
            call();
        } catch (const TavixError&) {
            field = was;
            throw;
        }
    }
    void RefreshValue(std::pair<int32_t, int32_t> serials)
    {
        for (int32_t r = 1; r <= g().RowCount(); ++r)
            for (int32_t c = 1; c <= g().ColCount(); ++c)
                if (std::make_pair(RowSerial(r), ColSerial(c)) == serials)
                    model_.values[serials] = g().CellValue(r, c);
    }
    GridVariant RandomValue();
    void ApiCall();
    void Input();
    // The handlers' own changes: remove a row, clear, move the current cell, sort.
    void Meddle(const char* where);

    int32_t RowSerial(int32_t row) { return g().RowTag(row).ToLong(); }
    bool RowInGrid(int32_t serial)
    {
        for (int32_t r = 1; r <= g().RowCount(); ++r)
            if (!Untagged(r) && RowSerial(r) == serial)
                return true;
        return false;
    }
    int32_t ColSerial(int32_t col) { return g().ColTag(col).ToLong(); }
    void RemoveRowAt(int32_t row)
    {
        model_.EraseRow(RowSerial(row));
        g().RemoveRow(row);
    }
    void RemoveColAt(int32_t col)
    {
        const bool last = g().ColCount() == 1;
        model_.EraseCol(ColSerial(col));
        g().RemoveCol(col);
        if (last)
            model_.ClearRows();
    }
    // New rows that no step or handler has tagged yet: RowCount growth and rows
    // appended by a virtual request that a handler's change cut short.
    bool Untagged(int32_t row)
    {
        const GridVariant tag = g().RowTag(row);
        return tag.IsMissing() || tag.IsEmpty();
    }
    void NewRowTag(int32_t row)
    {
        g().SetRowTag(row, GridVariant(++rowSerial_));
        model_.rows[rowSerial_] = RowModel { .height = g().RowHeight(row) };
    }

    // Event handlers.
    void AfterCommitEdit(int32_t row, int32_t col) override
    {
        // Typing edits cells as a user would.
        Note("AfterCommitEdit " + std::to_string(row) + "," + std::to_string(col));
        if (row >= 1 && row <= g().RowCount() && col >= 1 && col <= g().ColCount())
            model_.values[{ RowSerial(row), ColSerial(col) }] = g().CellValue(row, col);
        Meddle("AfterCommitEdit");
    }
    void CellSelectionChange(int32_t, int32_t, bool) override { Meddle("CellSelectionChange"); }
    void CurCellChange(int32_t, int32_t) override { Meddle("CurCellChange"); }
    void KeyDown(int16_t&, int16_t&, bool&) override { Meddle("KeyDown"); }
    void MouseDown(int16_t, int16_t&, float, float, int32_t, int32_t, bool&, bool) override { Meddle("MouseDown"); }
    void ScrollBarPosChanged(EScrollBar, int32_t) override { Meddle("ScrollBarPosChanged"); }
    void ContentsSorted() override { Meddle("ContentsSorted"); }
    void CustomSort(GridVariant& v1, GridVariant& v2, bool& greater) override
    {
        greater = v1.VarType() > v2.VarType();
        Meddle("CustomSort");
    }
    void RequestRow(int32_t, bool& noMoreRows) override
    {
        noMoreRows = OneIn(4) || g().RowCount() > 60;
        Meddle("RequestRow");
    }
    void RequestRowData(int32_t row) override
    {
        if (row >= 1 && row <= g().RowCount() && Untagged(row))
            NewRowTag(row);
        Meddle("RequestRowData");
    }

    WindowScene scene_;
    std::mt19937 rng_;
    TableModel model_;
    std::deque<std::string> trail_;
    int32_t rowSerial_ { 0 };
    int32_t colSerial_ { 0 };
    int meddleDepth_ { 0 };
    int step_ { 0 };
    // How often a handler changes the grid: 1 in meddleOdds_ events.
    int meddleOdds_ { 40 };
};

GridVariant Soak::RandomValue()
{
    switch (rng_() % 14) {
    case 0: return GridVariant();
    case 1: return GridVariant::Null();
    case 2: return GridVariant(static_cast<int16_t>(rng_()));
    case 3: return GridVariant(static_cast<int32_t>(rng_()));
    case 4: return GridVariant(static_cast<float>(static_cast<int32_t>(rng_())) / 7.0f);
    case 5: return GridVariant(static_cast<double>(static_cast<int32_t>(rng_())) / 3.0);
    case 6: return GridVariant::Currency(static_cast<int32_t>(rng_()));
    case 7: return GridVariant::Date(static_cast<double>(rng_() % 100000) / 4.0);
    case 8: return GridVariant(OneIn(2));
    case 9: return GridVariant::Decimal(static_cast<double>(static_cast<int32_t>(rng_())) / 100.0);
    case 10: return GridVariant(static_cast<uint8_t>(rng_()));
    case 11: return GridVariant(std::string(static_cast<size_t>(Pick(3000)), static_cast<char>('a' + rng_() % 26)));
    case 12: {
        static constexpr char kHostile[] = "bad \xff\xfe utf-8 and a \0 nul";
        return GridVariant(std::string(kHostile, sizeof kHostile - 1));
    }
    default: return GridVariant("k" + std::to_string(Pick(50)));
    }
}

void Soak::Meddle(const char* where)
{
    if (meddleDepth_ > 0 || !OneIn(meddleOdds_))
        return;
    ++meddleDepth_;
    const int32_t rows = g().RowCount();
    std::string op = std::string(where) + " handler: ";
    try {
        switch (rng_() % 5) {
        case 0:
            if (rows > 0) {
                const int32_t r = Pick(rows);
                op += "RemoveRow " + std::to_string(r);
                RemoveRowAt(r);
            }
            break;
        case 1:
            op += "Clear";
            model_.ClearRows();
            g().Clear();
            break;
        case 2:
            if (rows > 0 && g().ColCount() > 0) {
                op += "SetCurCell";
                g().SetCurCell(Pick(rows), Pick(g().ColCount()));
            }
            break;
        case 3:
            if (g().ColCount() > 0) {
                op += "Sort";
                g().Sort(GridVariant(Pick(g().ColCount())));
            }
            break;
        default:
            if (g().ColCount() > 1) {
                op += "RemoveCol";
                RemoveColAt(Pick(g().ColCount()));
            }
            break;
        }
    } catch (const TavixError& e) {
        op += " -> error " + std::to_string(e.Code());
    }
    Note(op);
    --meddleDepth_;
}

void Soak::ApiCall()
{
    const int32_t cols = g().ColCount();
    const int32_t rows = g().RowCount();
    const auto col = [&] { return Pick(cols); };
    const auto row = [&] { return Pick(rows); };
    std::ostringstream op;
    switch (rng_() % 24) {
    case 0:
        if (cols < 10) {
            const bool before = cols > 0 && OneIn(2);
            op << "AddCol" << (before ? " before" : "");
            const int32_t width = OneIn(30) ? 1000000000 : Pick(120);
            model_.cols[++colSerial_] = ColModel { width, true };
            try {
                g().AddCol(AddColArgs { .lWidth = width,
                    .bVisible = !OneIn(5),
                    .vColBefore = before ? GridVariant(col()) : GridVariant::Missing(),
                    .bRowTextCol = OneIn(8),
                    .vTag = GridVariant(colSerial_) });
            } catch (const TavixError&) {
                model_.cols.erase(colSerial_);
                throw;
            }
        }
        break;
    case 1:
        if (cols > 0 && (cols > 2 || OneIn(10))) {
            op << "RemoveCol";
            RemoveColAt(col());
        }
        break;
    case 2:
        if (cols > 0) {
            op << "ColOrder";
            g().SetColOrder(col(), col());
        }
        break;
    case 3:
        if (cols > 0) {
            op << "ColVisible";
            g().SetColVisible(col(), OneIn(2));
        }
        break;
    case 4:
    case 5:
        if (cols > 0) {
            const bool before = rows > 0 && OneIn(2);
            const std::string key = OneIn(3) ? "r" + std::to_string(Pick(200)) : std::string();
            const int32_t height = OneIn(40) ? 1000000000 : Pick(40) - 5;
            op << "AddRow" << (before ? " before" : "") << " height " << height;
            const AddRowArgs args { .sKey = key,
                .vRowBefore = before ? GridVariant(row()) : GridVariant::Missing(),
                .bVisible = !OneIn(6),
                .lHeight = height,
                .bGroupRow = OneIn(8),
                .vTag = GridVariant(++rowSerial_) };
            // In the model first: the events of the insertion may already see the row.
            model_.rows[rowSerial_]
                = RowModel { key, height < 0 ? g().DefaultRowHeight() : height, args.bVisible, args.bGroupRow };
            try {
                g().AddRow(args);
            } catch (const TavixError&) {
                model_.rows.erase(rowSerial_);
                throw;
            }
        }
        break;
    case 6:
        if (rows > 0) {
            op << "RemoveRow";
            RemoveRowAt(row());
        }
        break;
    case 7:
        if (cols > 0) {
            const int32_t n = std::max(0, rows + Pick(9) - 4);
            op << "RowCount " << n;
            if (OneIn(3)) {
                // Few spare rows: the storage of the rows left is compacted on most shrinks.
                const int32_t spare = Pick(3) - 1;
                op << " spare " << spare;
                g().SetMemMngWantFreeRows(spare);
            }
            for (int32_t r = n + 1; r <= rows; ++r)
                model_.EraseRow(RowSerial(r));
            const int32_t serialBefore = rowSerial_;
            g().SetRowCount(n);
            // Rows a virtual grid requested while the call repainted, and the call then cut.
            for (int32_t serial = serialBefore + 1; serial <= rowSerial_; ++serial)
                if (!RowInGrid(serial))
                    model_.EraseRow(serial);
            // Rows a virtual grid requested while repainting are tagged already.
            for (int32_t r = rows + 1; r <= g().RowCount(); ++r)
                if (Untagged(r))
                    NewRowTag(r);
        }
        break;
    case 8:
        if (rows > 0) {
            op << "RowVisible";
            const int32_t r = row();
            const bool visible = OneIn(3);
            // Painting may raise events whose handlers sort: serials are read first.
            RowModel& m = model_.rows[RowSerial(r)];
            const bool was = m.visible;
            m.visible = visible;
            Restoring(m.visible, was, [&] { g().SetRowVisible(r, visible); });
        }
        break;
    case 9:
        if (rows > 0) {
            const int32_t r = row();
            const int32_t height = OneIn(20) ? 2000000000 : Pick(50) - 3;
            op << "RowHeight " << height;
            RowModel& m = model_.rows[RowSerial(r)];
            const int32_t was = m.height;
            m.height = height;
            Restoring(m.height, was, [&] { g().SetRowHeight(r, height); });
        }
        break;
    case 10:
        if (rows > 0) {
            op << "RowIsGroup";
            const int32_t r = row();
            const bool group = OneIn(3);
            RowModel& m = model_.rows[RowSerial(r)];
            m.group = group;
            g().SetRowIsGroup(r, group);
        }
        break;
    case 11:
    case 12:
        if (rows > 0 && cols > 0) {
            const int32_t r = row(), c = col();
            GridVariant v = RandomValue();
            op << "CellValue type " << v.VarType();
            model_.values[{ RowSerial(r), ColSerial(c) }] = v;
            g().SetCellValue(r, c, v);
        }
        break;
    case 13:
        if (rows > 0 && cols > 0) {
            const int32_t r = row(), c = col();
            op << "cell properties";
            const std::pair<int32_t, int32_t> serials { RowSerial(r), ColSerial(c) };
            g().SetCellTextFlags(r, c, static_cast<int32_t>(rng_() % 0x40000));
            g().SetCellIndent(r, c, static_cast<int16_t>(Pick(30) - 5));
            g().SetCellBackColor(r, c, OneIn(2) ? kColorDefault : static_cast<OleColor>(rng_() & 0xFFFFFF));
            g().SetCellHatch(r, c, static_cast<EHatchStyles>(rng_() % 8));
            g().SetCellFmtString(r, c, OneIn(2) ? "0.00" : "");
            g().SetCellType(r, c, static_cast<ECellTypes>(rng_() % 4));
            // A new cell type may convert the value (a rule with its own tests), and the
            // repaint's handlers may have moved the cell.
            RefreshValue(serials);
        }
        break;
    case 14:
        op << "DefaultRowHeight/RowNormalCellHeight";
        g().SetDefaultRowHeight(OneIn(20) ? 100000000 : Pick(30));
        if (rows > 0)
            g().SetRowNormalCellHeight(row(), OneIn(20) ? 2000000000 : Pick(30));
        break;
    case 15:
        if (cols > 0) {
            op << "Sort";
            g().SetColSortType(col(), static_cast<ESortTypes>(rng_() % 12));
            g().Sort(GridVariant(col()));
        }
        break;
    case 16:
        op << "MultiSelect/RowMode";
        if (OneIn(2))
            g().SetMultiSelect(OneIn(2));
        else
            g().SetRowMode(OneIn(2));
        break;
    case 17:
        if (rows > 0 && cols > 0) {
            op << "SetCurCell/CellSelected";
            if (OneIn(2))
                g().SetCurCell(row(), col());
            else
                g().SetCellSelected(row(), col(), OneIn(2));
        }
        break;
    case 18:
        op << "ClearSelection";
        g().ClearSelection();
        break;
    case 19:
        op << "Virtual";
        g().SetVirtual(OneIn(3));
        break;
    case 20:
        if (OneIn(10)) {
            op << "Clear";
            const bool removeCols = OneIn(3);
            // Before the call: a virtual grid requests new rows as it repaints.
            model_.ClearRows();
            if (removeCols)
                model_.cols.clear();
            g().Clear(removeCols);
        }
        break;
    case 21:
        if (cols > 0) {
            const int32_t c = col();
            const int32_t width = OneIn(20) ? 2000000000 : Pick(150);
            op << "ColWidth " << width;
            ColModel& m = model_.cols[ColSerial(c)];
            const int32_t was = m.width;
            m.width = width;
            Restoring(m.width, was, [&] { g().SetColWidth(c, width); });
        }
        break;
    case 22:
        if (rows > 0 && cols > 0) {
            op << "EnsureVisibleCell";
            g().EnsureVisibleCell(row(), col());
        }
        break;
    default:
        if (rows > 0) {
            op << "CurRow";
            g().SetCurRow(Pick(rows + 1) - 1);
        }
        break;
    }
    Note(op.str());
}

void Soak::Input()
{
    native::Desktop& d = scene_.desktop;
    const int x = Pick(scene_.options.width + 20) - 10;
    const int y = Pick(scene_.options.height + 20) - 10;
    static constexpr int kKeys[] = { 37, 38, 39, 40, 33, 34, 35, 36, 32, 13, 27 };
    std::ostringstream op;
    switch (rng_() % 6) {
    case 0:
    case 1: {
        const int vk = kKeys[rng_() % std::size(kKeys)];
        const int modifier = OneIn(2) ? 0 : OneIn(2) ? 0x10 : 0x11;  // Shift, Ctrl
        op << "key " << vk << " modifier " << modifier;
        scene_.Key(vk, modifier);
        break;
    }
    case 2:
        op << "click " << x << "," << y;
        d.Advance(1000);
        d.MouseMove(x, y);
        d.MouseDown(OneIn(5) ? native::Desktop::Button::Right : native::Desktop::Button::Left);
        d.MouseUp(native::Desktop::Button::Left);
        d.MouseUp(native::Desktop::Button::Right);
        break;
    case 3:
        op << "drag to " << x << "," << y;
        d.MouseDown();
        d.MouseMove(x, y);
        d.MouseUp();
        break;
    case 4:
        op << "wheel";
        d.MouseMove(x, y);
        d.Wheel(OneIn(2) ? 120 : -120);
        break;
    default:
        // The scroll bars sit along the right and bottom edges of the window.
        op << "scroll bar click";
        d.Advance(1000);
        d.Click(OneIn(2) ? scene_.options.width - 6 : x, OneIn(2) ? scene_.options.height - 6 : y);
        break;
    }
    d.Advance(30);
    d.RunUntilIdle();
    Note(op.str());
    // Header drags resize columns as the user wants them.
    for (int32_t c = 1; c <= g().ColCount(); ++c)
        model_.cols[ColSerial(c)].width = g().ColWidth(c);
}

void Soak::Step(int step)
{
    // Sizes at the limits and bad arguments raise errors; they must change nothing,
    // which the check after the step sees.
    step_ = step;
    meddleOdds_ = step % 500 < 250 ? 40 : 8;
    try {
        if (OneIn(3))
            Input();
        else
            ApiCall();
    } catch (const TavixError& e) {
        Note("  -> error " + std::to_string(e.Code()));
    }
}

void Soak::Check()
{
    Tavix& grid = g();
    const core::GridTable& t = scene_.Table();
    const int32_t rows = grid.RowCount();
    const int32_t cols = grid.ColCount();
    ASSERT_GE(grid.CurRow(), 0);
    ASSERT_LE(grid.CurRow(), rows);
    ASSERT_GE(grid.CurCol(), 0);
    ASSERT_LE(grid.CurCol(), cols);

    std::set<int32_t> colSerials;
    int64_t left = 0;
    for (int32_t p = 1; p <= cols; ++p) {
        const core::ColumnData& c = t.Column(p);
        const int32_t serial = c.Tag.ToLong();
        ASSERT_TRUE(colSerials.insert(serial).second);
        ASSERT_TRUE(model_.cols.contains(serial)) << "column serial " << serial;
        ASSERT_EQ(c.Left, left);
        if (c.Visible)
            left += c.Width;
        ASSERT_EQ(c.Width, model_.cols[serial].width);
    }
    ASSERT_EQ(colSerials.size(), model_.cols.size());

    int64_t top = 0;
    bool odd = true;
    int32_t groups = 0;
    std::set<int32_t> rowSerials;
    for (int32_t r = 1; r <= rows; ++r) {
        const core::RowData& row = t.Row(r);
        // A row appended by a virtual request that stopped early carries no serial.
        if (Untagged(r))
            NewRowTag(r);
        const int32_t serial = row.Tag.ToLong();
        ASSERT_TRUE(rowSerials.insert(serial).second);
        ASSERT_TRUE(model_.rows.contains(serial)) << "row serial " << serial;
        const RowModel& m = model_.rows[serial];
        ASSERT_EQ(row.Top, top) << "row " << r;
        ASSERT_EQ(row.Height, m.height) << "row " << r;
        ASSERT_EQ(row.Visible, m.visible) << "row " << r;
        ASSERT_EQ(row.IsGroup, m.group) << "row " << r;
        if (row.Visible) {
            top += row.Height;
            ASSERT_EQ(row.OddRow, odd) << "row " << r;
            odd = !odd;
        }
        groups += row.IsGroup ? 1 : 0;
        for (int32_t p = 1; p <= cols; ++p) {
            const core::ColumnData& c = t.Column(p);
            const auto it = model_.values.find({ serial, c.Tag.ToLong() });
            // New cells start with their column's default value, the empty string.
            const GridVariant expected = it == model_.values.end() ? GridVariant(std::string()) : it->second;
            const GridVariant& actual = t.Cell(r, c.Index).Value;
            ASSERT_TRUE(SameValue(actual, expected))
                << "row " << r << ", column " << c.Index << ": type " << actual.VarType() << ", expected "
                << expected.VarType() << " \""
                << (expected.IsString() ? std::string(expected.AsString()).substr(0, 20) : "") << "\"";
        }
    }
    ASSERT_EQ(rowSerials.size(), model_.rows.size());
    std::vector<std::pair<std::string, int32_t>> keyed;
    for (int32_t r = 1; r <= rows; ++r)
        if (!t.Row(r).Key.empty())
            keyed.emplace_back(t.Row(r).Key, r);
    std::sort(keyed.begin(), keyed.end());
    ASSERT_EQ(static_cast<int32_t>(keyed.size()), t.RowKeys().Count());
    for (size_t i = 0; i < keyed.size(); ++i)
        ASSERT_EQ(t.RowKeys().RowAt(static_cast<int32_t>(i + 1)), keyed[i].second);
    ASSERT_EQ(groups, t.GroupRowCount());
    ASSERT_GE(t.Allocated(), rows);
    ASSERT_EQ(t.Cells().Columns(), cols);
}

// A sanitizer report ends the process: the seed and the trail are printed from its death callback.
const Soak* g_running = nullptr;
uint32_t g_seed = 0;

void PrintTrail()
{
    if (g_running != nullptr)
        std::fprintf(stderr, "soak: seed %u; the last operations:\n%s", g_seed, g_running->Trail().c_str());
}

uint32_t SeedFromEnvironment(uint32_t fallback)
{
    const char* seed = std::getenv("TAVIX_SOAK_SEED");
    return seed != nullptr ? static_cast<uint32_t>(std::strtoul(seed, nullptr, 10)) : fallback;
}

TEST(GridSoak, RandomOperationsThroughTheWindowKeepTheTableWhole)
{
    const uint32_t seed = SeedFromEnvironment(20261206);
    const char* seconds = std::getenv("TAVIX_SOAK_SECONDS");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds ? std::atoi(seconds) : 0);
    const int minimumSteps = seconds ? 0 : 3000;
    Soak soak(seed);
    g_running = &soak;
    g_seed = seed;
#ifdef TAVIX_SOAK_DEATH_CALLBACK
    __sanitizer_set_death_callback(PrintTrail);
#endif
    int step = 0;
    for (; step < minimumSteps || std::chrono::steady_clock::now() < until; ++step) {
        soak.Step(step);
        soak.Check();
        if (HasFatalFailure())
            FAIL() << "seed " << seed << ", step " << step << "; the last operations:\n" << soak.Trail();
    }
    g_running = nullptr;
    std::printf("soak: seed %u, %d steps\n", seed, step);
}

}  // namespace
}  // namespace tavix
