// One run of FillFromRS: the grid filled from a record set reached only by member name.
#pragma once

#include "persist/field_keys.h"

#include <tavix/dispatch.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavix {
class Tavix;
}

namespace tavix::persist {

class RecordsetImport {
public:
    // `rs` has been checked to be a record set.
    RecordsetImport(Tavix& grid, Dispatch& rs);

    // Counts the records, matches or makes the columns, then fills one row per record. Failures
    // of the record set or of the grid skip only the step they happen in.
    void Run();

private:
    // A column to fill and the field it is filled from.
    struct Target {
        GridVariant vCol;
        std::shared_ptr<Dispatch> field;
    };

    int32_t CountRecords();
    bool AtEof();
    void MatchColumns();
    void CreateColumns();
    void FillRows(int32_t count);

    // rs."Fields"(key): a field object, or null when there is none.
    std::shared_ptr<Dispatch> FieldOf(const GridVariant& key);
    std::shared_ptr<Dispatch> FieldOfColumnKey(const std::string& key);
    std::vector<std::string> FieldNames(std::vector<std::shared_ptr<Dispatch>>& fields);

    Tavix& grid_;
    Dispatch& rs_;
    std::vector<Target> targets_;
    std::optional<FieldKeys> keys_;  // read only when a column key is not a field name
};

}  // namespace tavix::persist
