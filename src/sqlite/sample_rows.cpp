#include "sqlite/sample_rows.h"

namespace tavix::sqlite {

SampleRows::SampleRows(Statement& statement, int maxRows)
    : columns_(statement.ColumnCount())
{
    while (rows_ < maxRows) {
        if (!statement.Step()) {
            ended_ = true;
            break;
        }
        for (int c = 0; c < columns_; ++c) {
            SqlValue value = statement.Value(c);
            if (value.storage == Storage::Text)
                value.text = texts_.emplace_back(value.text);
            values_.push_back(value);
        }
        ++rows_;
    }
}

std::vector<SqlValue> SampleRows::Column(int col) const
{
    std::vector<SqlValue> column;
    column.reserve(static_cast<size_t>(rows_));
    for (int r = 0; r < rows_; ++r)
        column.push_back(At(r, col));
    return column;
}

}  // namespace tavix::sqlite
