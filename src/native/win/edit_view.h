#pragma once
// Where the text of an edit control lies in its client area: the rows (a
// line, or a part of a word-wrapped line), the formatting rectangle, the
// alignment and the scroll offsets.
#include "native/win/edit_buffer.h"
#include <tavix/native/surface.h>

namespace tavix::native {

class EditView {
public:
    enum class Align { Left, Center, Right };
    struct Row {
        size_t line { 0 };
        size_t from { 0 };  // columns [from, to) of the line
        size_t to { 0 };
        bool last { true };  // the line's last row
    };

    // Rebuild() after changing any of these.
    void SetFormatRect(const Rect& rc) { format_ = rc; }
    void SetWrap(bool wrap) { wrap_ = wrap; }
    void SetAlign(Align align) { align_ = align; }
    void SetRowHeight(int32_t height) { rowHeight_ = std::max(1, height); }

    const Rect& FormatRect() const { return format_; }
    int32_t RowHeight() const { return rowHeight_; }

    void Rebuild(const EditBuffer& text);
    // Re-wraps only the lines a Replace touched.
    void Update(const EditBuffer& text, const EditBuffer::Change& change);

    size_t RowCount() const { return wrap_ ? rowOfLine_.back() : lineCount_; }
    Row RowAt(const EditBuffer& text, size_t row) const;
    // A position at a wrap point belongs to the row it starts.
    size_t RowOf(const EditBuffer& text, size_t pos) const;
    size_t VisibleRows() const;
    size_t FirstRow() const { return firstRow_; }
    int32_t ScrollX() const { return scrollX_; }
    // Widest line, for the horizontal scroll range.
    int32_t ContentWidth(const EditBuffer& text) const;

    // Client x of the row's first character.
    int32_t RowLeft(const EditBuffer& text, size_t row) const;
    int32_t RowTop(size_t row) const;
    // The caret's top-left for pos, client coordinates.
    Point PointOf(const EditBuffer& text, size_t pos) const;
    size_t PosAt(const EditBuffer& text, Point client) const;

    // Both return whether the view moved.
    bool ScrollTo(const EditBuffer& text, size_t firstRow, int32_t scrollX);
    bool EnsureVisible(const EditBuffer& text, size_t pos);

private:
    std::vector<size_t> WrapLine(const EditLine& line) const;
    void Recount(size_t fromLine);
    int32_t AlignOffset(int32_t rowWidth) const;

    Rect format_;
    bool wrap_ { false };
    Align align_ { Align::Left };
    int32_t rowHeight_ { 1 };
    size_t lineCount_ { 1 };
    // With wrapping: the start column of each row of each line, and the
    // first row of each line (one more entry: the row count).
    std::vector<std::vector<size_t>> wraps_;
    std::vector<size_t> rowOfLine_ { 0, 1 };
    size_t firstRow_ { 0 };
    int32_t scrollX_ { 0 };
};

}  // namespace tavix::native
