#include "native/win/combo_items.h"
#include "native/win/utf8.h"
#include <unicode/uchar.h>

namespace tavix::native {

int ComboItems::Insert(int index, ComboItem item)
{
    if (index < -1 || index > Count())
        return -1;
    int at = index == -1 ? Count() : index;
    items_.insert(items_.begin() + at, std::move(item));
    return at;
}

int32_t ComboItems::Height(int from, int to) const
{
    int32_t h = 0;
    for (int i = std::max(0, from); i < std::min(to, Count()); ++i)
        h += items_[static_cast<size_t>(i)].height;
    return h;
}

int ComboItems::FindInitial(int after, char32_t ch) const
{
    const auto wanted = u_foldCase(static_cast<UChar32>(ch), U_FOLD_CASE_DEFAULT);
    for (int k = 1; k <= Count(); ++k) {
        int i = (after + k + Count()) % Count();
        const std::string& text = items_[static_cast<size_t>(i)].text;
        size_t at = 0;
        if (!text.empty() && u_foldCase(static_cast<UChar32>(utf8::Next(text, at)), U_FOLD_CASE_DEFAULT) == wanted)
            return i;
    }
    return -1;
}

}  // namespace tavix::native
