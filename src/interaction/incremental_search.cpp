#include "incremental_search.h"

#include "core/cell_text.h"
#include "selection.h"

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
    const std::string cellText = core::CellTextOf(s_.cells.At(row, col), s_.formats, s_.combos);
    return FoldCaseUtf8(cellText).starts_with(foldedText);
}

int32_t IncrementalSearch::FindMatchRow(
    int32_t col, const std::string& text, int32_t startRow, bool visibleOnly, bool loop) const
{
    const int32_t start = startRow >= 1 && startRow <= s_.rowCount ? startRow : 1;
    const std::string folded = FoldCaseUtf8(text);
    const auto scan = [&](int32_t from, int32_t to) {
        for (int32_t r = from; r <= to; ++r) {
            if (visibleOnly && !s_.rows.At(r).Visible)
                continue;
            if (RowMatches(r, col, folded))
                return r;
        }
        return 0;
    };
    const int32_t found = scan(start, s_.rowCount);
    if (found != 0 || !loop)
        return found;
    return scan(1, start);
}

void IncrementalSearch::SetBuffer(std::string upper)
{
    auto& sel = s_.selection;
    sel.searchBuffer = std::move(upper);
    if (sel.searchBuffer.empty())
        s_.look.search = {};
    else
        s_.look.search = { { s_.curRow, sel.searchCol }, CharCount(sel.searchBuffer) };
}

void IncrementalSearch::Clear() { SetBuffer({}); }

void IncrementalSearch::OnChar(int32_t code)
{
    auto& sel = s_.selection;
    sel.searchCol = sel.keyPressBehaviour == tvKeyPressSearchCurCol ? s_.curCol : sel.keySearchCol;
    // KeySearchCol may name a column that has been removed since.
    if (sel.searchCol <= 0 || sel.searchCol > s_.ColCount())
        return;
    const std::string previous = sel.searchBuffer;
    std::string buffer = previous;
    if (code == 8)
        DropLastChar(buffer);
    else if (code == 27)
        buffer.clear();
    else
        buffer += Utf8OfCode(code);
    buffer = ToUpperUtf8(buffer);
    if (buffer.empty()) {
        Clear();
        s_.geo.needFullRedraw = true;
        s_.view->Draw();
        return;
    }
    const int32_t start = sel.keySearchFromCurRow ? s_.curRow : 1;
    const int32_t row = FindMatchRow(sel.searchCol, buffer, start, true, sel.keySearchLoop);
    if (row == 0)
        return;  // the buffer keeps what matched last
    // Set before the move so that the repaint of the move shows the new prefix.
    sel.searchBuffer = buffer;
    s_.look.search = { { row, sel.searchCol }, CharCount(buffer) };
    s_.MarkCellChanged(row, sel.searchCol);
    Selection selection(s_);
    if (sel.multiSelect)
        selection.SelectAlone(row, sel.searchCol);
    else
        selection.MoveSingleSelection(row, sel.searchCol);
    selection.MoveTail(row, sel.searchCol);
}

}  // namespace tavix::interaction
