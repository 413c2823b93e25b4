#include "native/win/edit_line.h"
#include "native/win/utf8.h"
#include <algorithm>

namespace tavix::native {

char32_t EditLine::CharAt(size_t ch) const
{
    size_t i = bytes_[ch];
    return utf8::Next(text_, i);
}

size_t EditLine::Floor(int32_t x) const
{
    auto it = std::upper_bound(x_.begin(), x_.end(), x);
    return it == x_.begin() ? 0 : static_cast<size_t>(it - x_.begin()) - 1;
}

size_t EditLine::Hit(int32_t x) const
{
    size_t at = Floor(x);
    if (at < Length() && x - x_[at] > x_[at + 1] - x)
        ++at;
    return at;
}

void EditLine::Replace(size_t from, size_t to, std::string_view utf8, EditGlyphs& glyphs)
{
    const uint32_t byteFrom = bytes_[from];
    const auto delta = static_cast<int64_t>(utf8.size()) - static_cast<int64_t>(bytes_[to] - byteFrom);
    std::vector<uint32_t> ends, ids;
    std::vector<int32_t> advances;
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = utf8::Next(utf8, i);
        auto g = glyphs.Of(c);
        ends.push_back(byteFrom + static_cast<uint32_t>(i));
        ids.push_back(g.id);
        advances.push_back(c == '\t' ? 0 : g.advance);
    }
    text_.replace(byteFrom, bytes_[to] - byteFrom, utf8);

    bytes_.erase(bytes_.begin() + static_cast<ptrdiff_t>(from + 1), bytes_.begin() + static_cast<ptrdiff_t>(to + 1));
    auto tail = bytes_.insert(bytes_.begin() + static_cast<ptrdiff_t>(from + 1), ends.begin(), ends.end());
    for (auto it = tail + static_cast<ptrdiff_t>(ends.size()); it != bytes_.end(); ++it)
        *it = static_cast<uint32_t>(*it + delta);

    auto f = static_cast<ptrdiff_t>(from), t = static_cast<ptrdiff_t>(to);
    ids_.erase(ids_.begin() + f, ids_.begin() + t);
    ids_.insert(ids_.begin() + f, ids.begin(), ids.end());
    advances_.erase(advances_.begin() + f, advances_.begin() + t);
    advances_.insert(advances_.begin() + f, advances.begin(), advances.end());
    x_.resize(ids_.size() + 1);
    Layout(from, glyphs);
}

void EditLine::Remeasure(EditGlyphs& glyphs)
{
    for (size_t ch = 0; ch < Length(); ++ch) {
        char32_t c = CharAt(ch);
        auto g = glyphs.Of(c);
        ids_[ch] = g.id;
        advances_[ch] = c == '\t' ? 0 : g.advance;
    }
    Layout(0, glyphs);
}

void EditLine::Layout(size_t from, const EditGlyphs& glyphs)
{
    const int32_t tab = glyphs.TabWidth();
    for (size_t ch = from; ch < ids_.size(); ++ch) {
        int32_t x = x_[ch];
        x_[ch + 1] = text_[bytes_[ch]] == '\t' ? (x / tab + 1) * tab : x + advances_[ch];
    }
}

}  // namespace tavix::native
