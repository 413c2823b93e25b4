#pragma once
// Typing to find a row: the search settings and buffer, the match over the
// displayed cell texts and the move to the matching cell.
#include "core/grid_table.h"
#include "interaction/selection.h"
#include "paint/grid_painter.h"

#include <tavix/enums.h>

#include <cstdint>
#include <string>

namespace tavix::interaction {

class IncrementalSearch {
public:
    static constexpr int32_t kBackspace = 8;
    static constexpr int32_t kEscape = 27;

    IncrementalSearch(core::GridTable& table, paint::GridPainter& painter, Selection& selection)
        : table_(table)
        , painter_(painter)
        , selection_(selection)
    {
    }
    IncrementalSearch(const IncrementalSearch&) = delete;
    IncrementalSearch& operator=(const IncrementalSearch&) = delete;

    // First row from startRow (1 when outside 1..RowCount) whose text in column
    // index col begins with text, ignoring case; with loop, rows 1..start next. 0 if none.
    int32_t FindMatchRow(int32_t col, const std::string& text, int32_t startRow, bool visibleOnly, bool loop) const;

    // One typed character code (8 Backspace, 27 Esc) while a search behaviour is set.
    void OnChar(int32_t code, EKeyPressBehaviour behaviour);

    // Empties the buffer and the highlight painting shows for it.
    void Clear();
    // Characters typed so far, upper case, UTF-8; empty when no search runs.
    bool Active() const { return !buffer_.empty(); }

    int32_t KeySearchCol() const { return keySearchCol_; }
    void SetKeySearchCol(int32_t col);
    bool KeySearchFromCurRow() const { return keySearchFromCurRow_; }
    void SetKeySearchFromCurRow(bool fromCurRow) { keySearchFromCurRow_ = fromCurRow; }
    bool KeySearchLoop() const { return keySearchLoop_; }
    void SetKeySearchLoop(bool loop) { keySearchLoop_ = loop; }

private:
    bool RowMatches(int32_t row, int32_t col, const std::string& foldedText) const;
    void SetBuffer(std::string upper);

    core::GridTable& table_;
    paint::GridPainter& painter_;
    Selection& selection_;
    int32_t keySearchCol_ { 0 };
    bool keySearchFromCurRow_ { false };
    bool keySearchLoop_ { false };
    std::string buffer_;
    int32_t searchCol_ { 0 };
};

// Case mapping of UTF-8 text for the search.
std::string ToUpperUtf8(const std::string& text);
std::string FoldCaseUtf8(const std::string& text);
std::string Utf8OfCode(int32_t code);

}  // namespace tavix::interaction
