#include "native/win/edit_view.h"
#include <algorithm>

namespace tavix::native {

namespace {
// Scrolling sideways to reach the caret leaves this share of the width on the
// far side of it, so typing on does not scroll at every character.
constexpr int32_t kHorizontalLeadDivisor = 4;
}  // namespace

void EditView::Rebuild(const EditBuffer& text)
{
    lineCount_ = text.LineCount();
    wraps_.clear();
    if (wrap_) {
        wraps_.reserve(lineCount_);
        for (size_t l = 0; l < lineCount_; ++l)
            wraps_.push_back(WrapLine(text.Line(l)));
        rowOfLine_.assign(lineCount_ + 1, 0);
        Recount(0);
    }
    ScrollTo(text, firstRow_, scrollX_);
}

void EditView::Update(const EditBuffer& text, const EditBuffer::Change& change)
{
    lineCount_ = text.LineCount();
    if (!wrap_)
        return;
    auto at = wraps_.begin() + static_cast<ptrdiff_t>(change.line);
    wraps_.erase(at, at + static_cast<ptrdiff_t>(change.removed));
    std::vector<std::vector<size_t>> added;
    for (size_t l = change.line; l < change.line + change.added; ++l)
        added.push_back(WrapLine(text.Line(l)));
    wraps_.insert(wraps_.begin() + static_cast<ptrdiff_t>(change.line), std::make_move_iterator(added.begin()),
        std::make_move_iterator(added.end()));
    rowOfLine_.resize(lineCount_ + 1);
    Recount(change.line);
}

void EditView::Recount(size_t fromLine)
{
    for (size_t l = fromLine; l < lineCount_; ++l)
        rowOfLine_[l + 1] = rowOfLine_[l] + wraps_[l].size();
}

// Greedy: a row takes what fits and breaks after the last space; spaces at a
// break hang past the edge; a word wider than a row is cut between characters.
std::vector<size_t> EditView::WrapLine(const EditLine& line) const
{
    std::vector<size_t> starts { 0 };
    const int32_t width = std::max(1, format_.Width());
    const size_t n = line.Length();
    auto space = [&](size_t c) { return line.CharAt(c) == ' ' || line.CharAt(c) == '\t'; };
    for (size_t s = 0; line.X(n) - line.X(s) > width;) {
        size_t e = std::max(line.Floor(line.X(s) + width), s + 1);
        if (space(e)) {
            while (e < n && space(e))
                ++e;
        } else {
            size_t p = e;
            while (p > s && !space(p - 1))
                --p;
            if (p > s)
                e = p;
        }
        if (e >= n)
            break;
        starts.push_back(e);
        s = e;
    }
    return starts;
}

EditView::Row EditView::RowAt(const EditBuffer& text, size_t row) const
{
    if (!wrap_) {
        size_t line = std::min(row, lineCount_ - 1);
        return { line, 0, text.Line(line).Length(), true };
    }
    auto it = std::upper_bound(rowOfLine_.begin(), rowOfLine_.end() - 1, row);
    size_t line = static_cast<size_t>(it - rowOfLine_.begin()) - 1;
    const auto& starts = wraps_[line];
    size_t k = std::min(row - rowOfLine_[line], starts.size() - 1);
    bool last = k + 1 == starts.size();
    return { line, starts[k], last ? text.Line(line).Length() : starts[k + 1], last };
}

size_t EditView::RowOf(const EditBuffer& text, size_t pos) const
{
    EditBuffer::Place p = text.Locate(pos);
    if (!wrap_)
        return p.line;
    const auto& starts = wraps_[p.line];
    auto it = std::upper_bound(starts.begin(), starts.end(), p.column);
    return rowOfLine_[p.line] + static_cast<size_t>(it - starts.begin()) - 1;
}

size_t EditView::VisibleRows() const { return static_cast<size_t>(std::max(1, format_.Height() / rowHeight_)); }

int32_t EditView::ContentWidth(const EditBuffer& text) const
{
    int32_t w = 0;
    for (size_t l = 0; l < text.LineCount(); ++l)
        w = std::max(w, text.Line(l).Width());
    return w;
}

int32_t EditView::AlignOffset(int32_t rowWidth) const
{
    int32_t room = std::max(0, format_.Width() - rowWidth);
    return align_ == Align::Right ? room : align_ == Align::Center ? room / 2 : 0;
}

int32_t EditView::RowLeft(const EditBuffer& text, size_t row) const
{
    Row r = RowAt(text, row);
    const EditLine& line = text.Line(r.line);
    return format_.left - scrollX_ + AlignOffset(line.X(r.to) - line.X(r.from));
}

int32_t EditView::RowTop(size_t row) const
{
    return format_.top + (static_cast<int32_t>(row) - static_cast<int32_t>(firstRow_)) * rowHeight_;
}

Point EditView::PointOf(const EditBuffer& text, size_t pos) const
{
    size_t row = RowOf(text, pos);
    Row r = RowAt(text, row);
    const EditLine& line = text.Line(r.line);
    size_t column = text.Locate(pos).column;
    return { RowLeft(text, row) + line.X(column) - line.X(r.from), RowTop(row) };
}

size_t EditView::PosAt(const EditBuffer& text, Point client) const
{
    int32_t dy = client.y - format_.top;
    auto offset = dy < 0 ? -((rowHeight_ - 1 - dy) / rowHeight_) : dy / rowHeight_;
    auto row = static_cast<size_t>(
        std::clamp<int64_t>(static_cast<int64_t>(firstRow_) + offset, 0, static_cast<int64_t>(RowCount()) - 1));
    Row r = RowAt(text, row);
    const EditLine& line = text.Line(r.line);
    size_t column = line.Hit(client.x - RowLeft(text, row) + line.X(r.from));
    // The end of a wrapped row is the start of the next one.
    column = std::clamp(column, r.from, r.last ? r.to : r.to - 1);
    return text.LineStart(r.line) + column;
}

bool EditView::ScrollTo(const EditBuffer& text, size_t firstRow, int32_t scrollX)
{
    size_t rows = RowCount(), visible = VisibleRows();
    firstRow = std::min(firstRow, rows > visible ? rows - visible : 0);
    scrollX = wrap_ ? 0 : std::clamp(scrollX, 0, std::max(0, ContentWidth(text) - format_.Width() + 1));
    bool moved = firstRow != firstRow_ || scrollX != scrollX_;
    firstRow_ = firstRow;
    scrollX_ = scrollX;
    return moved;
}

bool EditView::EnsureVisible(const EditBuffer& text, size_t pos)
{
    size_t row = RowOf(text, pos), first = firstRow_;
    if (row < first)
        first = row;
    else if (row >= first + VisibleRows())
        first = row - VisibleRows() + 1;
    int32_t x = scrollX_;
    if (!wrap_) {
        const EditLine& line = text.Line(text.Locate(pos).line);
        int32_t at = AlignOffset(line.Width()) + line.X(text.Locate(pos).column);
        int32_t width = format_.Width(), lead = width / kHorizontalLeadDivisor;
        if (at < x)
            x = std::max(0, at - lead);
        else if (at >= x + width)
            x = at - width + lead;
    }
    // Sideways only as far as needed: the clamp in ScrollTo would undo the lead.
    bool moved = first != firstRow_ || x != scrollX_;
    firstRow_ = first;
    scrollX_ = std::max(0, x);
    return moved;
}

}  // namespace tavix::native
