#include "interaction/incremental_search.h"

#include "core/cell_text.h"
#include "interaction/selection.h"

#include <tavix/enums.h>

#include <unicode/unistr.h>

namespace tavix::interaction {

std::string ToUpperUtf8(const std::string& text)
{
    std::string out;
    icu::UnicodeString::fromUTF8(text).toUpper().toUTF8String(out);
    return out;
}

std::string FoldCaseUtf8(const std::string& text)
{
    std::string out;
    icu::UnicodeString::fromUTF8(text).foldCase().toUTF8String(out);
    return out;
}

std::string Utf8OfCode(int32_t code)
{
    std::string out;
    icu::UnicodeString(static_cast<UChar32>(code)).toUTF8String(out);
    return out;
}

namespace {

void DropLastChar(std::string& s)
{
    while (!s.empty()) {
        const auto c = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((c & 0xC0) != 0x80)
            break;
    }
}

int32_t CharCount(const std::string& s)
{
    int32_t n = 0;
    for (const char c : s)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

}  // namespace

bool IncrementalSearch::RowMatches(int32_t row, int32_t col, const std::string& foldedText) const
{
    const std::string cellText = table_.CellText(row, col);
    return FoldCaseUtf8(cellText).starts_with(foldedText);
}

int32_t IncrementalSearch::FindMatchRow(
    int32_t col, const std::string& text, int32_t startRow, bool visibleOnly, bool loop) const
{
    const int32_t start = startRow >= 1 && startRow <= table_.RowCount() ? startRow : 1;
    const std::string folded = FoldCaseUtf8(text);
    const auto scan = [&](int32_t from, int32_t to) {
        for (int32_t r = from; r <= to; ++r) {
            if (visibleOnly && !table_.Row(r).Visible)
                continue;
            if (RowMatches(r, col, folded))
                return r;
        }
        return 0;
    };
    const int32_t found = scan(start, table_.RowCount());
    if (found != 0 || !loop)
        return found;
    return scan(1, start);
}

void IncrementalSearch::SetBuffer(std::string upper)
{
    buffer_ = std::move(upper);
    if (buffer_.empty())
        painter_.SetSearchHighlight({});
    else
        painter_.SetSearchHighlight({ { table_.CurRow(), searchCol_ }, CharCount(buffer_) });
}

void IncrementalSearch::Clear() { SetBuffer({}); }

void IncrementalSearch::OnChar(int32_t code, EKeyPressBehaviour behaviour)
{
    searchCol_ = behaviour == tvKeyPressSearchCurCol ? table_.CurCol() : keySearchCol_;
    // KeySearchCol may name a column that has been removed since.
    if (searchCol_ <= 0 || searchCol_ > table_.ColCount())
        return;
    std::string buffer = buffer_;
    if (code == kBackspace)
        DropLastChar(buffer);
    else if (code == kEscape)
        buffer.clear();
    else
        buffer += Utf8OfCode(code);
    buffer = ToUpperUtf8(buffer);
    if (buffer.empty()) {
        Clear();
        painter_.MarkFullRedraw();
        painter_.Draw();
        return;
    }
    const int32_t start = keySearchFromCurRow_ ? table_.CurRow() : 1;
    const int32_t row = FindMatchRow(searchCol_, buffer, start, true, keySearchLoop_);
    if (row == 0)
        return;  // the buffer keeps what matched last
    // Set before the move so that the repaint of the move shows the new prefix.
    buffer_ = buffer;
    painter_.SetSearchHighlight({ { row, searchCol_ }, CharCount(buffer) });
    table_.MarkCellChanged(row, searchCol_);
    const core::ShapeWatch watch(table_);
    if (table_.MultiSelect())
        selection_.SelectAlone(row, searchCol_);
    else
        selection_.MoveSingleSelection(row, searchCol_);
    selection_.MoveTail(row, searchCol_, watch);
}

void IncrementalSearch::SetKeySearchCol(int32_t col)
{
    table_.CheckColIndex(col);
    keySearchCol_ = col;
}

}  // namespace tavix::interaction
