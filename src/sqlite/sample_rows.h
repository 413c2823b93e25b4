// The first rows of a result, copied out of the statement so that the types of the
// fields can be chosen from them before any value is handed out.
#pragma once

#include <tavix/sqlite/statement.h>

#include <deque>
#include <string>
#include <vector>

namespace tavix::sqlite {

class SampleRows {
public:
    // Steps `statement` over up to `maxRows` rows; `Ended` tells whether the result ended.
    SampleRows(Statement& statement, int maxRows);

    int Rows() const { return rows_; }
    bool Ended() const { return ended_; }
    const SqlValue& At(int row, int col) const { return values_[static_cast<size_t>(row * columns_ + col)]; }
    std::vector<SqlValue> Column(int col) const;

private:
    int columns_;
    int rows_ { 0 };
    bool ended_ { false };
    std::vector<SqlValue> values_;
    std::deque<std::string> texts_;  // the copied texts; a deque keeps them in place as it grows
};

}  // namespace tavix::sqlite
