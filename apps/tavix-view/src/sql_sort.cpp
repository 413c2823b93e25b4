#include "sql_sort.h"

#include "grid_loader.h"

#include <algorithm>

namespace tavix::view {

void SqlSort::Apply(const std::string& column, bool add)
{
    auto it = std::find_if(keys_.begin(), keys_.end(), [&](const Key& k) { return k.column == column; });
    if (add) {
        if (it != keys_.end())
            it->descending = !it->descending;
        else
            keys_.push_back({ column, false });
        return;
    }
    const bool wasAscendingFirst = !keys_.empty() && keys_.front().column == column && !keys_.front().descending;
    keys_ = { { column, wasAscendingFirst } };
}

std::string SqlSort::Wrap(const std::string& sql) const
{
    if (keys_.empty())
        return sql;
    std::string out = "SELECT * FROM (" + sql + ") ORDER BY ";
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += GridLoader::QuoteIdentifier(keys_[i].column);
        out += keys_[i].descending ? " DESC" : " ASC";
    }
    return out;
}

}  // namespace tavix::view
