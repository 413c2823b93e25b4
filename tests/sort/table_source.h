// In-memory rows for sort tests: each row numbered before the sort, cells per column.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "../../src/sort/sort_source.h"
#include "tavix/error.h"

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

struct CustomCall {
    std::string v1, v2;
    bool operator==(const CustomCall&) const = default;
};

class TableSource : public SortSource {
public:
    std::vector<TestRow> rows;  // row r at index r - 1
    std::vector<CustomCall> customCalls;
    std::map<std::pair<int32_t, int16_t>, int> textCalls;

    // A column that does not exist fails the comparison, as in the grid.
    const TestCell& At(int32_t r, int16_t c) const
    {
        const auto& cells = rows.at(r - 1).cells;
        if (c < 1 || c > static_cast<int16_t>(cells.size()))
            throw TavixError::Runtime(9);
        return cells[c - 1];
    }
    TestCell& At(int32_t r, int16_t c) { return const_cast<TestCell&>(std::as_const(*this).At(r, c)); }
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
    // Orders by the Long value modulo 7, so custom ties are frequent.
    void CustomSort(GridVariant& v1, GridVariant& v2, bool& isGreater) override
    {
        customCalls.push_back({ Key(v1), Key(v2) });
        if (!v1.IsNull() && !v2.IsNull() && !v1.IsString() && !v2.IsString())
            isGreater = static_cast<int64_t>(v1.ToDouble()) % 7 > static_cast<int64_t>(v2.ToDouble()) % 7;
    }

private:
    static std::string Key(const GridVariant& v)
    {
        if (v.IsNull())
            return "null";
        if (v.IsString())
            return "s:" + std::string(v.AsString());
        return std::to_string(v.ToDouble());
    }
};

}  // namespace tavix::test
