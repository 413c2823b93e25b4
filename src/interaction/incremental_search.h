#pragma once
// Typing to find a row: the search buffer, the match over the displayed
// cell texts and the move to the matching cell.
#include "core/grid_state.h"

#include <cstdint>
#include <string>

namespace tavix::interaction {

class IncrementalSearch {
public:
    explicit IncrementalSearch(core::GridState& state)
        : s_(state)
    {
    }

    // First row from startRow (1 when outside 1..RowCount) whose text in column
    // index col begins with text, ignoring case; with loop, rows 1..start next. 0 if none.
    int32_t FindMatchRow(int32_t col, const std::string& text, int32_t startRow, bool visibleOnly, bool loop) const;

    // One typed character code (8 Backspace, 27 Esc) while a search behaviour is set.
    void OnChar(int32_t code);

    // Empties the buffer and the highlight painting shows for it.
    void Clear();

private:
    bool RowMatches(int32_t row, int32_t col, const std::string& foldedText) const;
    void SetBuffer(std::string upper);

    core::GridState& s_;
};

// Case mapping of UTF-8 text for the search.
std::string ToUpperUtf8(const std::string& text);
std::string FoldCaseUtf8(const std::string& text);
std::string Utf8OfCode(int32_t code);

}  // namespace tavix::interaction
