#include "persist/field_keys.h"

#include "core/key_case.h"

#include <set>

namespace tavix::persist {

namespace {

// Compared as the grid compares column keys.
std::string Folded(std::string_view text) { return core::KeyLower(text); }

}  // namespace

FieldKeys::FieldKeys(const std::vector<std::string>& names)
{
    std::set<std::string> fieldNames;
    for (const std::string& name : names)
        fieldNames.insert(Folded(name));
    std::set<std::string> taken;
    for (const std::string& name : names) {
        std::string key = name;
        int n = 1;
        // A field without a name makes a column without a key, which clashes with nothing.
        while (!name.empty() && taken.contains(Folded(key))) {
            do {
                key = name + ":" + std::to_string(++n);
            } while (fieldNames.contains(Folded(key)));
        }
        taken.insert(Folded(key));
        keys_.push_back(std::move(key));
    }
}

int FieldKeys::IndexOf(std::string_view key) const
{
    const std::string wanted = Folded(key);
    for (size_t i = 0; i < keys_.size(); ++i)
        if (!keys_[i].empty() && Folded(keys_[i]) == wanted)
            return static_cast<int>(i);
    return -1;
}

}  // namespace tavix::persist
