// Sort criteria kept as an ORDER BY clause, for results shown in virtual mode:
// only the database can sort rows the grid has not read yet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavix::view {

class SqlSort {
public:
    struct Key {
        // The column's place in the result, from 1: names may repeat or need quoting.
        int32_t column { 0 };
        std::string name;  // as shown
        bool descending { false };
        bool operator==(const Key&) const = default;
    };

    // Like a header click: alone it becomes the only key (descending when it was the
    // ascending first key); `add` appends it or toggles its order where it stands.
    void Apply(int32_t column, const std::string& name, bool add);

    // `SELECT * FROM (sql) ORDER BY ...`, or sql itself without keys.
    std::string Wrap(const std::string& sql) const;
    const std::vector<Key>& Keys() const { return keys_; }

private:
    std::vector<Key> keys_;
};

}  // namespace tavix::view
