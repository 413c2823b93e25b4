#include "paint/cell_text.h"

#include <string>

namespace tavix {
namespace {

using namespace native;

int TextWidth(HDC hdc, std::string_view text, const Rect& rc, UINT flags)
{
    Rect measured = rc;
    DrawText(hdc, text, measured, flags | DT_CALCRECT);
    return measured.Width();
}

// The platform's own path ellipsis may cut into the file name; this one only
// ever shortens the directory part.
int PathEllipsisText(HDC hdc, std::string_view text, Rect& rc, UINT flags)
{
    size_t sep = text.rfind('\\');
    if (sep == std::string_view::npos)
        sep = text.rfind('/');
    if (sep == std::string_view::npos)
        return DrawText(hdc, text, rc, flags | DT_WORD_ELLIPSIS);

    const UINT measure = flags & ~DT_CALCRECT;
    if (TextWidth(hdc, text, rc, measure) < rc.Width())
        return DrawText(hdc, text, rc, flags);

    std::string head(text.substr(0, sep));
    const std::string_view tail = text.substr(sep);
    Rect headRect = rc;
    headRect.right -= TextWidth(hdc, tail, rc, measure);
    // Measuring only: the shortened head is drawn below together with the tail.
    DrawText(hdc, head, headRect, measure | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
    if (const size_t nul = head.find('\0'); nul != std::string::npos)
        head.resize(nul);
    head.append(tail);
    return DrawText(hdc, std::string_view(head), rc, flags);
}

}  // namespace

int DrawCellText(HDC hdc, std::string_view text, Rect& rc, uint32_t flags)
{
    if (text.empty())
        return 0;
    if (flags & kTextProcessPrefix)
        flags &= ~kTextProcessPrefix;
    else
        flags |= DT_NOPREFIX;
    if ((flags & DT_PATH_ELLIPSIS) && (flags & DT_SINGLELINE))
        return PathEllipsisText(hdc, text, rc, flags & ~DT_PATH_ELLIPSIS);
    return DrawText(hdc, text, rc, flags);
}

size_t Utf8Prefix(std::string_view text, int32_t chars)
{
    size_t i = 0;
    for (int32_t n = 0; i < text.size() && n < chars; ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return i;
}

}  // namespace tavix
