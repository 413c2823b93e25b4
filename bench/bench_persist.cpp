#include <tavix/grid.h>
#include <tavix/sqlite/recordset.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace tavix;

constexpr int kFields = 10;

// One in-memory table of `rows` records: three integer, three real and four short text fields.
sqlite::Database& Table(int64_t rows)
{
    static sqlite::Database db(":memory:", sqlite::Database::Mode::ReadWriteCreate);
    static int64_t made = 0;
    if (made != rows) {
        db.Exec("DROP TABLE IF EXISTS t;"
                "CREATE TABLE t (id INTEGER, qty INTEGER, code INTEGER, price REAL, weight REAL, ratio REAL,"
                " name TEXT, city TEXT, ref TEXT, note TEXT);"
                "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < "
            + std::to_string(rows)
            + ") INSERT INTO t SELECT i, i * 7 % 1000, i % 97, i * 0.25, i / 3.0, 1.0 / i,"
              " 'name ' || i, 'city ' || (i % 50), printf('R%08d', i), 'ok' FROM c");
        made = rows;
    }
    return db;
}

void BM_Persist_FillFromRS(benchmark::State& state)
{
    const int64_t rows = state.range(0);
    sqlite::Database& db = Table(rows);
    for (auto _ : state) {
        Tavix grid;
        grid.FillFromRS(sqlite::Recordset::Open(db, "SELECT * FROM t"));
        benchmark::DoNotOptimize(grid.RowCount());
    }
    state.SetItemsProcessed(state.iterations() * rows * kFields);
}
BENCHMARK(BM_Persist_FillFromRS)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The viewer's loader before FillFromRS, kept only as the comparison: columns typed from the
// declared type or the first value, one AddRow per row, each value converted as it is read.
// (This data holds no dates, so its date reading is left out.)
namespace reference {

enum class Kind { Integer, Real, Currency, Boolean, Text };

Kind KindOf(std::string t, sqlite::Storage first)
{
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    auto has = [&](const char* word) { return t.find(word) != std::string::npos; };
    if (t.empty())
        return first == sqlite::Storage::Integer ? Kind::Integer
            : first == sqlite::Storage::Real     ? Kind::Real
                                                 : Kind::Text;
    if (has("BOOL"))
        return Kind::Boolean;
    if (has("CURRENCY") || has("MONEY") || has("DECIMAL") || has("NUMERIC"))
        return Kind::Currency;
    if (has("INT"))
        return Kind::Integer;
    if (has("REAL") || has("FLOA") || has("DOUB"))
        return Kind::Real;
    return Kind::Text;
}

GridVariant ReadCell(const sqlite::Statement& stmt, int col, Kind kind)
{
    using S = sqlite::Storage;
    const S storage = stmt.ColumnStorage(col);
    if (storage == S::Null)
        return kind == Kind::Boolean ? GridVariant(int32_t { 0 }) : GridVariant::Null();
    if (storage == S::Blob)
        return GridVariant(std::string("<blob>"));
    const bool numeric = storage == S::Integer || storage == S::Real;
    switch (kind) {
    case Kind::Integer:
        if (storage == S::Integer) {
            const int64_t v = stmt.Int64(col);
            if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
                return GridVariant(static_cast<int32_t>(v));
            return GridVariant(static_cast<double>(v));
        }
        if (storage == S::Real)
            return GridVariant(stmt.Double(col));
        break;
    case Kind::Real:
        if (numeric)
            return GridVariant(stmt.Double(col));
        break;
    case Kind::Currency:
        if (numeric)
            return GridVariant::CurrencyFromDouble(stmt.Double(col));
        break;
    case Kind::Boolean:
        if (numeric)
            return GridVariant(int32_t { stmt.Double(col) != 0.0 ? 1 : 0 });
        break;
    case Kind::Text: break;
    }
    return GridVariant(stmt.Text(col));
}

void Load(Tavix& grid, sqlite::Database& db, const std::string& sql)
{
    sqlite::Statement stmt = db.Prepare(sql);
    bool hasRow = stmt.Step();
    std::vector<Kind> kinds;
    grid.SetRedraw(false);
    for (int c = 0; c < stmt.ColumnCount(); ++c) {
        kinds.push_back(KindOf(stmt.DeclaredType(c), hasRow ? stmt.ColumnStorage(c) : sqlite::Storage::Null));
        CellObject& cell = grid.AddCol(AddColArgs { .sKey = stmt.ColumnName(c), .sHeader = stmt.ColumnName(c) });
        if (kinds.back() != Kind::Text)
            cell.eTextFlags = tvTextRight | tvTextVCenter | tvTextSingleLine | tvTextEndEllipsis;
    }
    for (int32_t row = 1; hasRow; ++row, hasRow = stmt.Step()) {
        grid.AddRow();
        for (size_t c = 0; c < kinds.size(); ++c)
            grid.SetCellValue(row, static_cast<int32_t>(c + 1), ReadCell(stmt, static_cast<int>(c), kinds[c]));
    }
    grid.SetRedraw(true);
}

}  // namespace reference

void BM_Persist_FillFromRS_Reference(benchmark::State& state)
{
    const int64_t rows = state.range(0);
    sqlite::Database& db = Table(rows);
    for (auto _ : state) {
        Tavix grid;
        reference::Load(grid, db, "SELECT * FROM t");
        benchmark::DoNotOptimize(grid.RowCount());
    }
    state.SetItemsProcessed(state.iterations() * rows * kFields);
}
BENCHMARK(BM_Persist_FillFromRS_Reference)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

namespace {

// A 1,000-column grid shown in reverse with every third column hidden: LayoutCol read, then
// the string assigned back (each parse validates and moves every column record).
void PrepareColumns(Tavix& g, int32_t cols)
{
    for (int32_t c = 1; c <= cols; ++c)
        g.AddCol("c" + std::to_string(c), "", kDefaultTextFlags, -1, 40 + c % 30, c % 3 != 0);
    const std::string reversed = [&] {
        std::string s;
        for (int32_t c = 1; c <= cols; ++c)
            s += std::to_string(c) + "|Width|" + std::to_string(40 + c % 30) + "|" + std::to_string(c) + "|Order|"
                + std::to_string(cols + 1 - c) + "|" + std::to_string(c) + "|Visible|" + (c % 3 ? "1" : "0") + "|";
        return s;
    }();
    g.SetLayoutCol(reversed);
}

void BM_Persist_LayoutCol(benchmark::State& state)
{
    Tavix g;
    PrepareColumns(g, static_cast<int32_t>(state.range(0)));
    std::string layout;
    for (auto _ : state) {
        layout = g.LayoutCol();
        benchmark::DoNotOptimize(layout.data());
    }
    state.counters["bytes"] = static_cast<double>(layout.size());
}
BENCHMARK(BM_Persist_LayoutCol)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Persist_LayoutColLet(benchmark::State& state)
{
    Tavix g;
    PrepareColumns(g, static_cast<int32_t>(state.range(0)));
    const std::string layout = g.LayoutCol();
    for (auto _ : state)
        g.SetLayoutCol(layout);
}
BENCHMARK(BM_Persist_LayoutColLet)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
