#pragma once
// The text of an edit control as lines. A position is a character index into
// the whole text, line breaks included; a multi-line text breaks at "\r\n",
// "\n" and "\r" and keeps each break as it came, a single-line text keeps
// breaks as ordinary characters.
#include "native/win/edit_line.h"

namespace tavix::native {

class EditBuffer {
public:
    struct Place {
        size_t line { 0 };
        size_t column { 0 };
    };
    // Lines [line, line + removed) became [line, line + added).
    struct Change {
        size_t line { 0 };
        size_t removed { 0 };
        size_t added { 0 };
    };

    explicit EditBuffer(bool multiline)
        : multiline_(multiline)
    {
    }

    bool Multiline() const { return multiline_; }
    size_t Length() const { return starts_.back() + lines_.back().Length(); }
    size_t Bytes() const;
    size_t LineCount() const { return lines_.size(); }
    const EditLine& Line(size_t line) const { return lines_[line]; }
    size_t LineStart(size_t line) const { return starts_[line]; }
    size_t LineEnd(size_t line) const { return starts_[line] + lines_[line].Length(); }

    // A position inside a "\r\n" counts as before it.
    Place Locate(size_t pos) const;
    // Clamped to the text, and never between "\r" and "\n".
    size_t Snap(size_t pos) const;
    std::string Text() const { return Text(0, Length()); }
    std::string Text(size_t from, size_t to) const;
    bool IsSpaceAt(size_t pos) const;

    Change Replace(size_t from, size_t to, std::string_view utf8, EditGlyphs& glyphs);
    void Remeasure(EditGlyphs& glyphs);

    // Word moves treat spaces, tabs and line ends as the gaps between words.
    size_t NextWordStart(size_t pos) const;
    size_t PrevWordStart(size_t pos) const;
    // The word (or run of spaces) at pos with the spaces after it.
    std::pair<size_t, size_t> WordAt(size_t pos) const;

private:
    void RecountFrom(size_t line);

    bool multiline_;
    std::vector<EditLine> lines_ { 1 };
    std::vector<size_t> starts_ { 0 };
};

}  // namespace tavix::native
