// The bundled sample: an "orders" table the viewer creates on first run.
#pragma once

#include "column_info.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavix::view {

class SampleDatabase {
public:
    static constexpr const char* kTable = "orders";
    static constexpr int32_t kDefaultRows = 200'000;
    static constexpr const char* kFileName = "sample.db";

    // $XDG_DATA_HOME/tavix-view, else ~/.local/share/tavix-view, else the executable's folder:
    // the first one that exists or can be created and written.
    static std::string DefaultDirectory();

    // The sample's path in `directory`, created there unless a complete one exists.
    static std::string Ensure(const std::string& directory, int32_t rows = kDefaultRows);

    // Writes a new sample of `rows` orders to `path` (replacing the file).
    static void Create(const std::string& path, int32_t rows);

    // The order statuses, in the order of their icons.
    static const std::vector<std::string>& Statuses();

    // Shows "status" as a combo cell of the statuses.
    static void Decorate(std::vector<ColumnInfo>& columns);
};

}  // namespace tavix::view
