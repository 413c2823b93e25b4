// The column keys an import gives the fields of a record set. Keys must be unique (compared
// without regard to case) while a result may name two fields alike (`SELECT a.id, b.id`): a
// name already taken gets ":2", ":3" ... appended, and a suffixed key never equals another
// field's name, so that looking a key up by name cannot find the wrong field.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavix::persist {

class FieldKeys {
public:
    explicit FieldKeys(const std::vector<std::string>& names);

    const std::string& Key(size_t field) const { return keys_[field]; }
    // The field that has `key`, or -1.
    int IndexOf(std::string_view key) const;

private:
    std::vector<std::string> keys_;
};

}  // namespace tavix::persist
