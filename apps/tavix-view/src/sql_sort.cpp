#include "sql_sort.h"

#include <algorithm>

namespace tavix::view {

void SqlSort::Apply(int32_t column, const std::string& name, bool add)
{
    auto it = std::find_if(keys_.begin(), keys_.end(), [&](const Key& k) { return k.column == column; });
    if (add) {
        if (it != keys_.end())
            it->descending = !it->descending;
        else
            keys_.push_back({ column, name, false });
        return;
    }
    const bool wasAscendingFirst = !keys_.empty() && keys_.front().column == column && !keys_.front().descending;
    keys_ = { { column, name, wasAscendingFirst } };
}

std::string SqlSort::Wrap(const std::string& sql) const
{
    if (keys_.empty())
        return sql;
    std::string out = "SELECT * FROM (" + sql + ") ORDER BY ";
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += std::to_string(keys_[i].column);
        out += keys_[i].descending ? " DESC" : " ASC";
    }
    return out;
}

}  // namespace tavix::view
