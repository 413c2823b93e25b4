#include "persist/layout_strings.h"

#include <tavix/error.h>

#include <array>
#include <charconv>
#include <optional>

namespace tavix::persist {

namespace {

constexpr char kEnd = '|';
constexpr int kItemsPerTriple = 3;
// Width, Order and Visible: one group of triples per column.
constexpr int kTriplesPerGroup = 3;

// The "|"-terminated items; `terminated` is false when text remains after the last "|".
std::vector<std::string_view> SplitItems(std::string_view text, bool& terminated)
{
    std::vector<std::string_view> items;
    size_t p = 0;
    while (p < text.size()) {
        const size_t end = text.find(kEnd, p);
        if (end == std::string_view::npos) {
            terminated = false;
            return items;
        }
        items.push_back(text.substr(p, end - p));
        p = end + 1;
    }
    terminated = true;
    return items;
}

std::optional<int32_t> ToInt(std::string_view item)
{
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
    if (item.empty() || ec != std::errc() || end != item.data() + item.size())
        return std::nullopt;
    return value;
}

int32_t RequireInt(std::string_view item)
{
    if (auto v = ToInt(item))
        return *v;
    throw TavixError::Runtime(rtTypeMismatch);
}

void Append(std::string& out, int32_t col, std::string_view name, int32_t value)
{
    std::array<char, 24> buf {};
    out.append(buf.data(), std::to_chars(buf.data(), buf.data() + buf.size(), col).ptr);
    out += kEnd;
    out += name;
    out += kEnd;
    out.append(buf.data(), std::to_chars(buf.data(), buf.data() + buf.size(), value).ptr);
    out += kEnd;
}

}  // namespace

std::string FormatLayoutCol(const core::ColumnTable& columns)
{
    const int32_t n = columns.Count();
    std::vector<int32_t> positionOf(static_cast<size_t>(n) + 1, 0);
    for (int32_t p = 1; p <= n; ++p)
        positionOf[static_cast<size_t>(columns.At(p).Index)] = p;
    std::string out;
    out.reserve(static_cast<size_t>(n) * 40);
    for (int32_t c = 1; c <= n; ++c) {
        const core::ColumnData& col = columns.At(positionOf[static_cast<size_t>(c)]);
        Append(out, c, "Width", col.Width);
        Append(out, c, "Order", positionOf[static_cast<size_t>(c)]);
        Append(out, c, "Visible", col.Visible ? 1 : 0);
    }
    return out;
}

std::vector<core::ColumnPlacement> ParseLayoutCol(std::string_view text, const core::ColumnTable& columns)
{
    bool terminated = false;
    const std::vector<std::string_view> items = SplitItems(text, terminated);
    if (!terminated || items.size() % (kItemsPerTriple * kTriplesPerGroup) != 0)
        throw TavixError::Runtime(rtInvalidCall);

    const int32_t n = columns.Count();
    std::vector<int32_t> positionOf(static_cast<size_t>(n) + 1, 0);
    for (int32_t p = 1; p <= n; ++p)
        positionOf[static_cast<size_t>(columns.At(p).Index)] = p;
    // Working position -> placement; index 0 marks a position nobody took yet.
    std::vector<core::ColumnPlacement> working(static_cast<size_t>(n) + 1);
    auto place = [&](int32_t position, const core::ColumnPlacement& placement) {
        if (position < 1 || position > n)
            throw TavixError::Runtime(rtSubscript);
        if (working[static_cast<size_t>(position)].index != 0)
            throw TavixError::Runtime(rtInvalidCall);
        working[static_cast<size_t>(position)] = placement;
    };

    // A property a group does not name keeps the previous group's value.
    int32_t width = 0, order = 0, index = 0, skipped = 0;
    bool visible = false;
    for (size_t g = 0; g < items.size(); g += kItemsPerTriple * kTriplesPerGroup) {
        for (size_t t = g; t < g + kItemsPerTriple * kTriplesPerGroup; t += kItemsPerTriple) {
            index = RequireInt(items[t]);
            const std::string_view name = items[t + 1];
            const int32_t value = RequireInt(items[t + 2]);
            if (name == "Width")
                width = value;
            else if (name == "Order")
                order = value;
            else if (name == "Visible")
                visible = value != 0;
        }
        if (index < 1)
            throw TavixError::Runtime(rtSubscript);
        if (index > n) {
            ++skipped;  // saved from a grid with more columns
            continue;
        }
        place(order - skipped, { index, width, visible });
    }
    // Columns beyond the last one named stay where their index puts them.
    for (int32_t c = std::max(index, 0) + 1; c <= n; ++c) {
        const core::ColumnData& col = columns.At(positionOf[static_cast<size_t>(c)]);
        place(c, { c, col.Width, col.Visible });
    }
    for (int32_t p = 1; p <= n; ++p)
        if (working[static_cast<size_t>(p)].index == 0)
            throw TavixError::Runtime(rtInvalidCall);
    working.erase(working.begin());
    return working;
}

std::string FormatLayoutSort(const core::ColumnTable& columns)
{
    std::string out;
    for (int32_t p = 1; p <= columns.Count(); ++p) {
        const core::ColumnData& col = columns.At(p);
        if (col.SortKey <= 0)
            continue;
        Append(out, col.Index, "SortKey", col.SortKey);
        Append(out, col.Index, "SortOrder", col.SortOrder);
    }
    return out;
}

std::vector<SortMark> ParseLayoutSort(std::string_view text)
{
    bool terminated = false;
    const std::vector<std::string_view> items = SplitItems(text, terminated);
    std::vector<SortMark> marks;
    int32_t col = 0, value = 0;
    for (size_t t = 0; t + kItemsPerTriple <= items.size(); t += kItemsPerTriple) {
        col = ToInt(items[t]).value_or(col);
        value = ToInt(items[t + 2]).value_or(value);
        const std::string_view name = items[t + 1];
        if (name == "SortKey" || name == "SortOrder")
            marks.push_back({ col, name == "SortKey", value });
    }
    return marks;
}

}  // namespace tavix::persist
