// Sort criteria kept as an ORDER BY clause, for results shown in virtual mode:
// only the database can sort rows the grid has not read yet.
#pragma once

#include <string>
#include <vector>

namespace tavix::view {

class SqlSort {
public:
    struct Key {
        std::string column;
        bool descending { false };
        bool operator==(const Key&) const = default;
    };

    // Like a header click: alone it becomes the only key (descending when it was the
    // ascending first key); `add` appends it or toggles its order where it stands.
    void Apply(const std::string& column, bool add);

    // `SELECT * FROM (sql) ORDER BY ...`, or sql itself without keys.
    std::string Wrap(const std::string& sql) const;
    const std::vector<Key>& Keys() const { return keys_; }

private:
    std::vector<Key> keys_;
};

}  // namespace tavix::view
