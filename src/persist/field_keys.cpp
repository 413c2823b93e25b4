#include "persist/field_keys.h"

#include "core/key_case.h"

#include <set>

namespace tavix::persist {

FieldKeys::FieldKeys(const std::vector<std::string>& names)
{
    std::set<std::string> fieldNames;
    for (const std::string& name : names)
        fieldNames.insert(core::KeyLower(name));
    std::set<std::string> taken;
    for (const std::string& name : names) {
        std::string key = name;
        int n = 1;
        // A field without a name makes a column without a key, which clashes with nothing.
        while (!name.empty() && taken.contains(core::KeyLower(key))) {
            do {
                key = name + ":" + std::to_string(++n);
            } while (fieldNames.contains(core::KeyLower(key)));
        }
        taken.insert(core::KeyLower(key));
        keys_.push_back(std::move(key));
    }
}

int FieldKeys::IndexOf(std::string_view key) const
{
    const std::string wanted = core::KeyLower(key);
    for (size_t i = 0; i < keys_.size(); ++i)
        if (!keys_[i].empty() && core::KeyLower(keys_[i]) == wanted)
            return static_cast<int>(i);
    return -1;
}

}  // namespace tavix::persist
