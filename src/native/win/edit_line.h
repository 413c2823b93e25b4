#pragma once
// One line of an edit control: its text, its line break and the position of
// every character boundary, kept up to date edit by edit.
#include "native/win/edit_glyphs.h"
#include <string>
#include <string_view>
#include <vector>

namespace tavix::native {

class EditLine {
public:
    // Characters, the line break excluded.
    size_t Length() const { return ids_.size(); }
    const std::string& Text() const { return text_; }
    const std::string& Break() const { return break_; }  // "", "\n", "\r" or "\r\n"
    void SetBreak(std::string_view lineBreak) { break_ = lineBreak; }

    int32_t Width() const { return x_.back(); }
    int32_t X(size_t ch) const { return x_[ch]; }
    size_t ByteOf(size_t ch) const { return bytes_[ch]; }
    uint32_t GlyphAt(size_t ch) const { return ids_[ch]; }
    char32_t CharAt(size_t ch) const;
    std::string_view Slice(size_t from, size_t to) const
    {
        return std::string_view(text_).substr(bytes_[from], bytes_[to] - bytes_[from]);
    }
    // The boundary nearest to x.
    size_t Hit(int32_t x) const;
    // The last boundary at or before x.
    size_t Floor(int32_t x) const;

    // Replaces characters [from, to) with valid UTF-8 holding no line break
    // (a single-line control keeps breaks as characters).
    void Replace(size_t from, size_t to, std::string_view utf8, EditGlyphs& glyphs);
    void Remeasure(EditGlyphs& glyphs);

private:
    void Layout(size_t from, const EditGlyphs& glyphs);

    std::string text_;
    std::string break_;
    std::vector<uint32_t> bytes_ { 0 };  // byte offset of each boundary
    std::vector<int32_t> x_ { 0 };  // pixel position of each boundary
    std::vector<uint32_t> ids_;  // glyph of each character
    std::vector<int32_t> advances_;  // tabs: 0, their width depends on where they stand
};

}  // namespace tavix::native
