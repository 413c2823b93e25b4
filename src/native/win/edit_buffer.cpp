#include "native/win/edit_buffer.h"
#include <algorithm>

namespace tavix::native {

namespace {

struct Piece {
    std::string_view text;
    std::string_view lineBreak;
};

std::vector<Piece> SplitLines(std::string_view text)
{
    std::vector<Piece> out;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        size_t len = (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        out.push_back({ text.substr(start, i - start), text.substr(i, len) });
        i += len - 1;
        start = i + 1;
    }
    out.push_back({ text.substr(start), {} });
    return out;
}

bool IsSpace(char32_t c) { return c == ' ' || c == '\t'; }

}  // namespace

size_t EditBuffer::Bytes() const
{
    size_t n = 0;
    for (const auto& l : lines_)
        n += l.Text().size() + l.Break().size();
    return n;
}

EditBuffer::Place EditBuffer::Locate(size_t pos) const
{
    auto it = std::upper_bound(starts_.begin(), starts_.end(), pos);
    size_t line = static_cast<size_t>(it - starts_.begin()) - 1;
    return { line, std::min(pos - starts_[line], lines_[line].Length()) };
}

size_t EditBuffer::Snap(size_t pos) const
{
    Place p = Locate(std::min(pos, Length()));
    return starts_[p.line] + p.column;
}

std::string EditBuffer::Text(size_t from, size_t to) const
{
    Place a = Locate(from), b = Locate(std::max(from, to));
    if (a.line == b.line)
        return std::string(lines_[a.line].Slice(a.column, b.column));
    std::string out(lines_[a.line].Slice(a.column, lines_[a.line].Length()));
    out += lines_[a.line].Break();
    for (size_t l = a.line + 1; l < b.line; ++l)
        out.append(lines_[l].Text()).append(lines_[l].Break());
    out += lines_[b.line].Slice(0, b.column);
    return out;
}

bool EditBuffer::IsSpaceAt(size_t pos) const
{
    Place p = Locate(pos);
    return p.column < lines_[p.line].Length() && IsSpace(lines_[p.line].CharAt(p.column));
}

EditBuffer::Change EditBuffer::Replace(size_t from, size_t to, std::string_view utf8, EditGlyphs& glyphs)
{
    Place a = Locate(from), b = Locate(std::max(from, to));
    bool breaks = multiline_ && utf8.find_first_of("\r\n") != std::string_view::npos;
    if (a.line == b.line && !breaks) {
        // Typing lands here: one line changes and nothing else is measured.
        lines_[a.line].Replace(a.column, b.column, utf8, glyphs);
        RecountFrom(a.line + 1);
        return { a.line, 1, 1 };
    }
    std::vector<Piece> pieces = multiline_ ? SplitLines(utf8) : std::vector<Piece> { { utf8, {} } };
    const EditLine& last = lines_[b.line];
    std::string tail(last.Slice(b.column, last.Length()));
    std::string tailBreak = last.Break();
    lines_.erase(
        lines_.begin() + static_cast<ptrdiff_t>(a.line + 1), lines_.begin() + static_cast<ptrdiff_t>(b.line + 1));

    std::vector<EditLine> added(pieces.size() - 1);
    EditLine& first = lines_[a.line];
    first.Replace(a.column, first.Length(), pieces[0].text, glyphs);
    EditLine* end = &first;
    if (pieces.size() > 1) {
        first.SetBreak(pieces[0].lineBreak);
        for (size_t i = 1; i < pieces.size(); ++i) {
            added[i - 1].Replace(0, 0, pieces[i].text, glyphs);
            added[i - 1].SetBreak(pieces[i].lineBreak);
        }
        end = &added.back();
    }
    end->Replace(end->Length(), end->Length(), tail, glyphs);
    end->SetBreak(tailBreak);
    lines_.insert(lines_.begin() + static_cast<ptrdiff_t>(a.line + 1), std::make_move_iterator(added.begin()),
        std::make_move_iterator(added.end()));
    starts_.resize(lines_.size());
    RecountFrom(a.line + 1);
    return { a.line, b.line - a.line + 1, pieces.size() };
}

void EditBuffer::Remeasure(EditGlyphs& glyphs)
{
    for (auto& l : lines_)
        l.Remeasure(glyphs);
}

void EditBuffer::RecountFrom(size_t line)
{
    starts_.resize(lines_.size());
    for (size_t l = std::max<size_t>(line, 1); l < lines_.size(); ++l)
        starts_[l] = starts_[l - 1] + lines_[l - 1].Length() + lines_[l - 1].Break().size();
}

size_t EditBuffer::NextWordStart(size_t pos) const
{
    Place p = Locate(pos);
    const EditLine& line = lines_[p.line];
    if (p.column == line.Length())
        return p.line + 1 < lines_.size() ? starts_[p.line + 1] : pos;
    size_t c = p.column;
    while (c < line.Length() && !IsSpace(line.CharAt(c)))
        ++c;
    while (c < line.Length() && IsSpace(line.CharAt(c)))
        ++c;
    return starts_[p.line] + c;
}

size_t EditBuffer::PrevWordStart(size_t pos) const
{
    Place p = Locate(pos);
    if (p.column == 0)
        return p.line > 0 ? LineEnd(p.line - 1) : 0;
    const EditLine& line = lines_[p.line];
    size_t c = p.column;
    while (c > 0 && IsSpace(line.CharAt(c - 1)))
        --c;
    while (c > 0 && !IsSpace(line.CharAt(c - 1)))
        --c;
    return starts_[p.line] + c;
}

std::pair<size_t, size_t> EditBuffer::WordAt(size_t pos) const
{
    Place p = Locate(pos);
    const EditLine& line = lines_[p.line];
    if (line.Length() == 0)
        return { pos, pos };
    size_t c = std::min(p.column, line.Length() - 1);
    bool space = IsSpace(line.CharAt(c));
    size_t start = c, end = c;
    while (start > 0 && IsSpace(line.CharAt(start - 1)) == space)
        --start;
    while (end < line.Length() && IsSpace(line.CharAt(end)) == space)
        ++end;
    while (end < line.Length() && IsSpace(line.CharAt(end)))
        ++end;
    return { starts_[p.line] + start, starts_[p.line] + end };
}

}  // namespace tavix::native
