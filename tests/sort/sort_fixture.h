// Rows for sort tests: in memory (each row numbered before the sort, cells per column) with
// the reference sort run over them, and in a grid with its events recorded.
#pragma once

#include <tavix/dispatch.h>
#include <tavix/grid.h>

#include <numeric>
#include <random>

#include "platform/grid_access.h"
#include "sort/cell_comparer.h"
#include "support/errors.h"
#include "support/event_recorder.h"
#include "support/reference_sort.h"

namespace tavix::test {

struct TestCell {
    GridVariant value;
    std::string text;
    int16_t icon = 0, extraIcon = 0, fontIndex = 0, indent = 0;
    uint32_t fore = 0, back = 0;
    bool selected = false;
    uint8_t hatch = 0;
};

struct TestRow {
    std::vector<TestCell> cells;  // column c at index c - 1
    bool group = false;
};

using CustomCall = std::pair<std::string, std::string>;

// The application's custom order in these tests: by the Long value modulo 7, so that
// custom ties are frequent. Each call is logged.
inline void CustomOrder(const GridVariant& v1, const GridVariant& v2, bool& isGreater, std::vector<CustomCall>& log)
{
    const auto key = [](const GridVariant& v) {
        return v.IsNull() ? "null" : v.IsString() ? "s:" + std::string(v.AsString()) : std::to_string(v.ToDouble());
    };
    log.push_back({ key(v1), key(v2) });
    if (!v1.IsNull() && !v2.IsNull() && !v1.IsString() && !v2.IsString())
        isGreater = static_cast<int64_t>(v1.ToDouble()) % 7 > static_cast<int64_t>(v2.ToDouble()) % 7;
}

inline std::string RandomText(std::mt19937& rng)
{
    // Case and accent variants, a long shared prefix, a character above U+FFFF and one just
    // below U+FFFF (UTF-8 and UTF-16 order them differently), bytes that are not UTF-8, and
    // embedded zeros.
    static const char* parts[] = { "a", "A", "b", "B", "\xC3\xA9", "\xC3\x89", "e", " ", "-", "1", "10",
        "prefix-shared-", "\xF0\x9F\x98\x80", "\xEF\xBC\xA1", "\xFF\x80", "\xE2\x82" };
    constexpr auto kParts = static_cast<uint32_t>(std::size(parts));
    std::string s;
    for (int i = static_cast<int>(rng() % 5); i > 0; --i)
        s += rng() % 15 == 0 ? std::string(1, '\0') : parts[rng() % kParts];
    return s;
}

// A column's values come from one profile, so that the keyed paths (numbers, currencies,
// strings with or without numbers) and the mixtures left to the reference comparison (objects,
// errors, Empty beside numbers and strings) all occur.
inline GridVariant RandomValue(std::mt19937& rng, int profile)
{
    const int v = static_cast<int>(rng() % 8);
    if (v == 0)
        return GridVariant::Null();
    switch (profile) {
    case 0: return v == 1 ? GridVariant() : GridVariant(v == 2 ? -0.0 : static_cast<double>(rng() % 5) / 2 - 1);
    case 1: return v == 1 ? GridVariant(true) : (v == 2 ? GridVariant::Date(3.0) : GridVariant(int16_t(rng() % 4)));
    case 2: return GridVariant::Currency(static_cast<int64_t>(rng() % 5) * 5000);
    case 3: return v < 3 ? GridVariant(int32_t(rng() % 3)) : GridVariant(RandomText(rng));
    case 4: return v == 1 ? GridVariant() : GridVariant(RandomText(rng));
    case 5: return v == 1 ? GridVariant() : (v == 2 ? GridVariant("x") : GridVariant(int32_t { 1 }));
    case 6: return v == 1 ? GridVariant::Currency(1) : GridVariant(int32_t { 0 });
    case 7:  // decimals a double cannot tell apart
        return GridVariant::Decimal(
            Decimal::FromDigits(v % 2 == 1, "7922816251426433759354395032" + std::to_string(v), 0));
    default:
        return v == 1 ? GridVariant::Error(7)
                      : (v == 2 ? GridVariant(std::make_shared<DispatchObject>()) : GridVariant(int32_t { 2 }));
    }
}

class TableSource : public SortSource {
public:
    std::vector<TestRow> rows;  // row r at index r - 1
    std::vector<CustomCall> customCalls;
    std::map<std::pair<int32_t, int16_t>, int> textCalls;

    // A column that does not exist fails the comparison, as in the grid.
    TestCell& At(int32_t r, int16_t c)
    {
        auto& cells = rows.at(r - 1).cells;
        if (c < 1 || c > static_cast<int16_t>(cells.size()))
            throw TavixError::Runtime(rtSubscript);
        return cells[c - 1];
    }
    GridVariant& Value(int32_t r, int16_t c) override { return At(r, c).value; }
    std::string DisplayText(int32_t r, int16_t c) override
    {
        ++textCalls[{ r, c }];
        return At(r, c).text;
    }
    int16_t Icon(int32_t r, int16_t c) override { return At(r, c).icon; }
    int16_t ExtraIcon(int32_t r, int16_t c) override { return At(r, c).extraIcon; }
    uint32_t ForeColor(int32_t r, int16_t c) override { return At(r, c).fore; }
    uint32_t BackColor(int32_t r, int16_t c) override { return At(r, c).back; }
    int16_t FontIndex(int32_t r, int16_t c) override { return At(r, c).fontIndex; }
    bool Selected(int32_t r, int16_t c) override { return At(r, c).selected; }
    int16_t Indent(int32_t r, int16_t c) override { return At(r, c).indent; }
    uint8_t Hatch(int32_t r, int16_t c) override { return At(r, c).hatch; }
    bool IsGroupRow(int32_t r) override { return rows.at(r - 1).group; }
    void CustomSort(GridVariant& v1, GridVariant& v2, bool& isGreater) override
    {
        CustomOrder(v1, v2, isGreater, customCalls);
    }
};

// The rows of a source as the reference sort moves them: each place holds a row's
// number, and every comparison computes its texts anew (the comparer caches none).
class ReferenceRows {
public:
    ReferenceRows(const ShellSortObject& criteria, TableSource& source)
        : source_(source)
        , comparer_(criteria, source, 0)
        , places_(source.rows.size() + 2)
    {
        std::iota(places_.begin(), places_.end(), 0);
    }

    int32_t Count() const { return static_cast<int32_t>(places_.size()) - 2; }
    bool IsGroup(int32_t place) { return source_.IsGroupRow(places_[place]); }
    void Copy(int32_t from, int32_t to) { places_[to] = places_[from]; }
    bool NotBelow(int32_t a, int32_t b) { return comparer_.CompareRows(places_[a], places_[b]); }

    // The rows' numbers before the sort, in the order the reference sort leaves them.
    static std::vector<int32_t> Sort(const ShellSortObject& criteria, TableSource& source, bool groupMode)
    {
        ReferenceRows rows(criteria, source);
        testing::ReferenceSort(rows, groupMode);
        return { rows.places_.begin() + 1, rows.places_.end() - 1 };
    }

private:
    TableSource& source_;
    CellComparer comparer_;
    std::vector<int32_t> places_;
};

using Order = std::vector<int32_t>;

struct SortGrid {
    Tavix grid;
    testing::EventRecorder events;

    SortGrid() { grid.SetEventSink(&events); }

    // Each row's tag is its number at creation, so the final order reads back from the tags;
    // its key is "k" and that number.
    void AddRows(int32_t count)
    {
        for (int32_t i = 0; i < count; ++i)
            grid.AddRow(AddRowArgs {
                .sKey = "k" + std::to_string(grid.RowCount() + 1), .vTag = GridVariant(grid.RowCount() + 1) });
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
    // The rows as the reference sort sees them: the same values and display texts.
    TableSource Mirror()
    {
        const core::GridTable& t = internal::GridAccess::Table(grid);
        TableSource src;
        for (int32_t r = 1; r <= t.RowCount(); ++r) {
            TestRow row { .group = t.Row(r).IsGroup };
            for (int32_t c = 1; c <= t.ColCount(); ++c) {
                const core::CellData& d = t.Cell(r, c);
                const core::CellLook& l = t.Look(d);
                row.cells.push_back(TestCell { d.Value, grid.CellText(r, c), l.Icon, l.ExtraIcon, l.FontIndex, l.Indent,
                    l.ForeColor, l.BackColor, (d.Flags & core::CellData::kSelected) != 0, l.Hatch });
            }
            src.rows.push_back(row);
        }
        return src;
    }
};

}  // namespace tavix::test
