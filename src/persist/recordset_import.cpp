#include "persist/recordset_import.h"

#include <tavix/grid.h>

#include <algorithm>
#include <array>
#include <exception>
#include <string_view>

namespace tavix::persist {

namespace {

// The capability asked of the record set before its record count is trusted: bookmarks.
constexpr int32_t kSupportsBookmark = 8192;
constexpr int32_t kBooleanFieldType = 11;
// Field types shown right-aligned: the integer, floating-point, currency and decimal types.
constexpr std::array<int32_t, 13> kNumericFieldTypes { 2, 3, 4, 5, 6, 14, 16, 17, 18, 19, 20, 21, 131 };
// The member a late-bound object yields when used as a value (a field's or a property's "Value").
constexpr std::string_view kDefaultMember = "Value";
constexpr int32_t kErrObjectRequired = 424;

// Runs one statement of the import; a failure of the record set or of the grid only skips it.
template <typename Statement> bool Attempt(Statement&& statement)
{
    try {
        statement();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::shared_ptr<Dispatch> ObjectOf(const GridVariant& v)
{
    if (!v.IsObject() || !v.AsObject())
        throw TavixError::Runtime(kErrObjectRequired);
    return v.AsObject();
}

// A value as text joins it: an object by its default member, Null and Empty as nothing.
std::string JoinedText(GridVariant v)
{
    if (v.IsObject())
        v = ObjectOf(v)->Get(kDefaultMember);
    return v.IsNull() || v.IsEmpty() ? std::string() : v.ToString();
}

// The grid is not painted while it fills; Redraw gets its value back however the import ends.
class RedrawSuspension {
public:
    explicit RedrawSuspension(Tavix& grid)
        : grid_(grid)
        , saved_(grid.Redraw())
    {
        grid_.SetRedraw(false);
    }
    ~RedrawSuspension()
    {
        try {
            grid_.SetRedraw(saved_);
        } catch (const std::exception&) {
            // Restoring repaints; a failure there must not leave the destructor.
        }
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    Tavix& grid_;
    bool saved_;
};

}  // namespace

RecordsetImport::RecordsetImport(Tavix& grid, Dispatch& rs)
    : grid_(grid)
    , rs_(rs)
{
}

void RecordsetImport::Run()
{
    const RedrawSuspension suspension(grid_);
    const int32_t count = CountRecords();
    if (grid_.ColCount() > 0)
        MatchColumns();
    else
        CreateColumns();
    Attempt([&] { grid_.SetRowCount(count); });
    if (count > 0)
        FillRows(count);
}

bool RecordsetImport::AtEof()
{
    // A record set that cannot tell where it ends is walked no further.
    bool eof = true;
    Attempt([&] { eof = rs_.Get("EOF").ToBool(); });
    return eof;
}

int32_t RecordsetImport::CountRecords()
{
    int32_t count = -1;
    bool trusted = false;
    Attempt([&] { count = rs_.Get("RecordCount").ToLong(); });
    Attempt([&] { trusted = count != -1 && rs_.Call("Supports", { GridVariant(kSupportsBookmark) }).ToBool(); });
    if (trusted)
        return count;
    count = 0;
    Attempt([&] { rs_.Call("MoveFirst"); });
    while (!AtEof()) {
        ++count;
        if (!Attempt([&] { rs_.Call("MoveNext"); }))
            break;
    }
    return count;
}

std::shared_ptr<Dispatch> RecordsetImport::FieldOf(const GridVariant& key)
{
    std::shared_ptr<Dispatch> field;
    Attempt([&] { field = ObjectOf(rs_.Call("Fields", { key })); });
    return field;
}

std::vector<std::string> RecordsetImport::FieldNames(std::vector<std::shared_ptr<Dispatch>>& fields)
{
    int32_t count = 0;
    Attempt([&] { count = ObjectOf(rs_.Get("Fields"))->Get("Count").ToLong(); });
    std::vector<std::string> names;
    for (int32_t i = 0; i < count; ++i) {
        std::shared_ptr<Dispatch> field = FieldOf(GridVariant(i));
        std::string name;
        // A field without a readable name cannot make a column.
        if (!field || !Attempt([&] { name = field->Get("Name").ToString(); }))
            field.reset();
        fields.push_back(std::move(field));
        names.push_back(std::move(name));
    }
    return names;
}

std::shared_ptr<Dispatch> RecordsetImport::FieldOfColumnKey(const std::string& key)
{
    if (std::shared_ptr<Dispatch> field = FieldOf(GridVariant(key)))
        return field;
    // A key given to a repeated name when the columns were made ("id:2") is no field's name.
    if (!keys_) {
        std::vector<std::shared_ptr<Dispatch>> fields;
        keys_.emplace(FieldNames(fields));
    }
    const int index = keys_->IndexOf(key);
    return index >= 0 ? FieldOf(GridVariant(index)) : nullptr;
}

void RecordsetImport::MatchColumns()
{
    Attempt([&] { grid_.Clear(false); });
    std::vector<std::pair<int32_t, int32_t>> byPosition;  // (display position, column index)
    for (int32_t col = 1; col <= grid_.ColCount(); ++col)
        byPosition.emplace_back(grid_.ColOrder(col), col);
    std::sort(byPosition.begin(), byPosition.end());
    for (const auto& entry : byPosition) {
        const int32_t col = entry.second;
        std::shared_ptr<Dispatch> field;
        Attempt([&] { field = FieldOfColumnKey(grid_.ColKey(col)); });
        if (field)
            targets_.push_back({ GridVariant(col), std::move(field) });
    }
}

void RecordsetImport::CreateColumns()
{
    std::vector<std::shared_ptr<Dispatch>> fields;
    const std::vector<std::string> names = FieldNames(fields);
    const FieldKeys keys(names);
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::shared_ptr<Dispatch>& field = fields[i];
        CellObject* cell = nullptr;
        int32_t col = 0;
        if (!field || !Attempt([&] {
                cell = &grid_.AddCol(
                    AddColArgs { .sKey = keys.Key(i), .sHeader = names[i], .eSortType = tvSortByValue });
                col = grid_.ColCount();
            }))
            continue;
        Attempt([&] {
            grid_.SetColTag(col,
                GridVariant("[" + JoinedText(field->Call("Properties", { GridVariant("BASETABLENAME") })) + "].["
                    + JoinedText(field->Call("Properties", { GridVariant("BASECOLUMNNAME") })) + "]"));
        });
        Attempt([&] {
            const int32_t type = field->Get("Type").ToLong();
            if (type == kBooleanFieldType)
                cell->SeteType(tvCellCheck);
            if (std::find(kNumericFieldTypes.begin(), kNumericFieldTypes.end(), type) != kNumericFieldTypes.end())
                cell->eTextFlags |= tvTextRight;
        });
        targets_.push_back({ GridVariant(col), field });
    }
}

void RecordsetImport::FillRows(int32_t count)
{
    Attempt([&] { rs_.Call("MoveFirst"); });
    for (int32_t row = 1; row <= count; ++row) {
        const GridVariant vRow(row);
        for (const Target& target : targets_)
            Attempt([&] { grid_.SetCellValue(vRow, target.vCol, target.field->Get(kDefaultMember)); });
        Attempt([&] { rs_.Call("MoveNext"); });
    }
}

}  // namespace tavix::persist
