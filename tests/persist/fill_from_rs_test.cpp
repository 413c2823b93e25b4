#include <tavix/dispatch.h>
#include <tavix/grid.h>

#include "core/grid_test_util.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

using test::ErrorOf;

constexpr int32_t kLongType = 3;
constexpr int32_t kDoubleType = 5;
constexpr int32_t kBooleanType = 11;
constexpr int32_t kTextType = 202;

struct FakeField {
    std::string name;
    int32_t type { kTextType };
    std::vector<GridVariant> values;
};

// A record set of plain data, reached only through the members FillFromRS asks for. `count` is
// what "RecordCount" answers, `bookmarks` what "Supports" does; `onMove` runs at each move.
struct FakeRecordset {
    std::vector<FakeField> fields;
    int32_t count { -1 };
    bool bookmarks { true };
    std::function<void()> onMove = [] {};

    std::shared_ptr<Dispatch> Make()
    {
        auto pos = std::make_shared<size_t>(0);
        const size_t records = fields.empty() ? 0 : fields[0].values.size();
        auto rs = std::make_shared<DispatchObject>("Recordset");
        rs->DefineProperty("RecordCount", GridVariant(count));
        rs->DefineMethod("Supports", [b = bookmarks](auto) { return GridVariant(b); });
        rs->DefineMethod("EOF", [=](auto) { return GridVariant(*pos >= records); });
        rs->DefineMethod("MoveFirst", [=, move = onMove](auto) {
            move();
            *pos = 0;
            return GridVariant();
        });
        rs->DefineMethod("MoveNext", [=, move = onMove](auto) {
            move();
            if (*pos >= records)
                throw TavixError::Runtime(3021);
            ++*pos;
            return GridVariant();
        });
        auto objects = std::make_shared<std::vector<std::shared_ptr<Dispatch>>>();
        for (const FakeField& f : fields) {
            auto field = std::make_shared<DispatchObject>("Field");
            field->DefineProperty("Name", GridVariant(f.name));
            field->DefineProperty("Type", GridVariant(f.type));
            field->DefineMethod("Value", [=, values = f.values](auto) { return values.at(*pos); });
            field->DefineMethod("Properties", [table = "t", column = f.name](std::span<GridVariant> args) {
                return GridVariant(args[0].ToString() == "BASETABLENAME" ? table : column);
            });
            objects->push_back(field);
        }
        rs->DefineMethod("Fields", [=, this](std::span<GridVariant> args) {
            if (args.empty()) {
                auto collection = std::make_shared<DispatchObject>("Fields");
                collection->DefineProperty("Count", GridVariant(static_cast<int32_t>(objects->size())));
                return GridVariant(std::shared_ptr<Dispatch>(collection));
            }
            for (size_t i = 0; i < objects->size(); ++i)
                if (args[0].IsString() ? args[0].AsString() == fields[i].name
                                       : args[0].ToLong() == static_cast<int32_t>(i))
                    return GridVariant(objects->at(i));
            throw TavixError::Runtime(3265);
        });
        return rs;
    }
};

GridVariant L(int32_t v) { return GridVariant(v); }

TEST(FillFromRS, ExistingColumnsAreFilledFromTheFieldsOfTheirKeys)
{
    Tavix grid;
    grid.AddCol("ID");
    grid.AddCol("Name");
    grid.AddCol("Missing");
    grid.AddRow();
    grid.SetCellValue(1, "Missing", "old");
    FakeRecordset fake { .fields = { { "Name", kTextType, { "a", "b" } }, { "ID", kLongType, { L(1), L(2) } },
                             { "Extra", kTextType, { "x", "y" } } },
        .count = 2 };
    grid.FillFromRS(fake.Make());
    EXPECT_EQ(grid.ColCount(), 3);
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.CellValue(2, "ID").ToLong(), 2);
    EXPECT_EQ(grid.CellText(2, "Name"), "b");
    EXPECT_EQ(grid.CellText(1, "Missing"), "");
}

TEST(FillFromRS, MadeColumnsTakeTagsTypeDefaultsAndUniqueKeys)
{
    Tavix grid;
    FakeRecordset fake { .fields = { { "id", kLongType, { L(1) } }, { "ok", kBooleanType, { GridVariant(true) } },
                             { "score", kDoubleType, { GridVariant::Null() } }, { "ID", kLongType, { L(7) } },
                             { "id:2", kTextType, { "named" } } },
        .count = 1 };
    grid.FillFromRS(fake.Make());
    ASSERT_EQ(grid.ColCount(), 5);
    const std::vector<std::string> keys { "id", "ok", "score", "ID:3", "id:2" };
    for (int32_t c = 1; c <= 5; ++c) {
        EXPECT_EQ(grid.ColKey(c), keys[static_cast<size_t>(c - 1)]);
        EXPECT_EQ(grid.ColHeaderText(c), fake.fields[static_cast<size_t>(c - 1)].name);
    }
    EXPECT_EQ(grid.ColTag("score").ToString(), "[t].[score]");
    EXPECT_EQ(grid.CellType(1, "ok"), tvCellCheck);
    EXPECT_EQ(grid.CellTextFlags(1, "id"), 32800 | tvTextRight);
    EXPECT_EQ(grid.CellTextFlags(1, "ok"), 32800);
    EXPECT_TRUE(grid.CellValue(1, "score").IsNull());
    EXPECT_EQ(grid.CellValue(1, "ID:3").ToLong(), 7);

    // Filled again into the columns it made: the renamed key still finds the second "id".
    fake.fields[3].values = { L(8) };
    grid.FillFromRS(fake.Make());
    EXPECT_EQ(grid.CellValue(1, "ID:3").ToLong(), 8);
    EXPECT_EQ(grid.CellText(1, "id:2"), "named");
}

TEST(FillFromRS, RecordsAreCountedByWalkingUnlessTheCountIsTrusted)
{
    const FakeField ids { "id", kLongType, { L(1), L(2) } };
    for (auto [count, bookmarks] : { std::pair { -1, true }, std::pair { 9, false } }) {
        Tavix grid;
        FakeRecordset fake { .fields = { ids }, .count = count, .bookmarks = bookmarks };
        grid.FillFromRS(fake.Make());
        ASSERT_EQ(grid.RowCount(), 2) << count;
        EXPECT_EQ(grid.CellValue(2, 1).ToLong(), 2);
    }
    Tavix grid;
    FakeRecordset empty { .fields = { { "id", kLongType, {} } }, .count = -1 };
    grid.FillFromRS(empty.Make());
    EXPECT_EQ(grid.ColCount(), 1);
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST(FillFromRS, FailuresSkipTheirStepAndRedrawComesBack)
{
    for (bool redraw : { true, false }) {
        Tavix grid;
        grid.SetRedraw(redraw);
        bool drawnDuringFill = false;
        // The count claims a record more than there are: its cells fail and stay empty.
        FakeRecordset fake { .fields = { { "id", kLongType, { L(1), L(2) } } }, .count = 3, .onMove = [&] {
                                drawnDuringFill |= grid.Redraw();
                            } };
        grid.FillFromRS(fake.Make());
        EXPECT_FALSE(drawnDuringFill);
        EXPECT_EQ(grid.Redraw(), redraw);
        ASSERT_EQ(grid.RowCount(), 3);
        EXPECT_EQ(grid.CellValue(2, 1).ToLong(), 2);
        EXPECT_EQ(grid.CellText(3, 1), "");
    }
}

TEST(FillFromRS, RejectsWhatIsNoRecordset)
{
    Tavix grid;
    grid.AddCol("a");
    EXPECT_EQ(ErrorOf([&] { grid.FillFromRS(nullptr); }), tvErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { grid.FillFromRS(std::make_shared<DispatchObject>("Object")); }), tvErrInvalidArgument);
    EXPECT_EQ(grid.ColCount(), 1);
}

}  // namespace
}  // namespace tavix
