#include <tavix/sqlite/recordset.h>
#include <tavix/tavix.h>
#include <tavix/variant.h>

#include <cstdio>

int main()
{
    std::printf("tavix %s\n", tavix::Version());
    const tavix::GridVariant value(1234.5);
    std::printf("value %s (type %d)\n", value.ToString().c_str(), static_cast<int>(value.VarType()));

    tavix::sqlite::Database db(":memory:", tavix::sqlite::Database::Mode::ReadWriteCreate);
    db.Exec("CREATE TABLE t (id INTEGER, name TEXT); INSERT INTO t VALUES (1, 'one'), (2, 'two')");
    tavix::Tavix grid;
    grid.FillFromRS(tavix::sqlite::Recordset::Open(db, "SELECT * FROM t"));
    std::printf("rows %d, last %s\n", grid.RowCount(), grid.CellText(2, "name").c_str());
    return grid.RowCount() == 2 ? 0 : 1;
}
