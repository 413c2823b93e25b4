#include "native/win/edit_painter.h"
#include "native/gdi/pixel_access.h"
#include "native/win/edit_control.h"
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {

constexpr int32_t kCaretWidth = 1;

struct Colors {
    HBRUSH background { 0 };
    COLORREF text { 0 };
    COLORREF selectionText { 0 };
    HBRUSH selection { 0 };
};

// The parent chooses the colours through WM_CTLCOLOREDIT, or
// WM_CTLCOLORSTATIC for a control the user cannot change.
Colors AskParent(EditControl& e, HDC dc)
{
    const bool enabled = IsWindowEnabled(e.Hwnd());
    const bool inert = e.ReadOnly() || !enabled;
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(inert ? COLOR_BTNFACE : COLOR_WINDOW));
    HWND parent = GetParent(e.Hwnd());
    auto brush = static_cast<HBRUSH>(parent ? SendMessage(parent, inert ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                         static_cast<WPARAM>(dc), static_cast<LPARAM>(e.Hwnd()))
                                            : 0);
    Colors c;
    c.background = brush ? brush : GetSysColorBrush(inert ? COLOR_BTNFACE : COLOR_WINDOW);
    c.text = GetTextColor(dc);
    const bool focused = GetFocus() == e.Hwnd();
    c.selection = GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    c.selectionText = focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : c.text;
    return c;
}

class RowPainter {
public:
    RowPainter(EditControl& e, HDC dc, const Colors& colors, bool showSelection)
        : e_(e)
        , dc_(dc)
        , colors_(colors)
        , selFrom_(showSelection ? e.SelStart() : 0)
        , selTo_(showSelection ? e.SelEnd() : 0)
    {
    }

    void Paint(size_t row, const Rect& clip)
    {
        const EditView& view = e_.View();
        const EditBuffer& text = e_.Text();
        const auto r = view.RowAt(text, row);
        const EditLine& line = text.Line(r.line);
        const int32_t top = view.RowTop(row);
        const int32_t origin = view.RowLeft(text, row) - line.X(r.from);  // client x of the line's x 0
        // Only the characters that can show are visited.
        const size_t first = std::max(r.from, line.Floor(clip.left - origin));
        const size_t last = std::min(r.to, line.Floor(clip.right - origin) + 1);
        const size_t lineStart = text.LineStart(r.line);
        const size_t selA = std::clamp(selFrom_, lineStart + first, lineStart + last) - lineStart;
        const size_t selB = std::clamp(selTo_, lineStart + first, lineStart + last) - lineStart;
        if (selA < selB)
            FillRect(dc_, Rect { origin + line.X(selA), top, origin + line.X(selB), top + view.RowHeight() },
                colors_.selection);
        auto* dc = detail::GetDc(dc_);
        SurfacePtr target = dc ? dc->Target() : nullptr;
        if (!target)
            return;
        const Rect targetClip = dc->EffectiveClip();
        detail::FontFace& face = e_.Glyphs().Face();
        const uint32_t normal = ToPixel(colors_.text), selected = ToPixel(colors_.selectionText);
        const Point at = dc->ToTarget(Point { origin, top + face.Metrics().tmAscent });
        for (size_t ch = first; ch < last; ++ch) {
            if (line.CharAt(ch) < ' ')
                continue;  // tabs and control characters show as space
            detail::BlitGlyph(*target, e_.Glyphs().Bitmap(line.GlyphAt(ch)), at.x + line.X(ch), at.y, targetClip,
                ch >= selA && ch < selB ? selected : normal);
        }
    }

private:
    EditControl& e_;
    HDC dc_;
    const Colors& colors_;
    size_t selFrom_;
    size_t selTo_;
};

}  // namespace

void PaintEdit(EditControl& e)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(e.Hwnd(), &ps);
    if (!dc)
        return;
    Colors colors = AskParent(e, dc);
    const Rect paint { ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom };
    FillRect(dc, paint, colors.background);
    const EditView& view = e.View();
    {
        DcStateSaver saver(dc);
        const Rect clip = paint.Intersect(view.FormatRect());
        IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
        bool showSelection = GetFocus() == e.Hwnd() || (e.Style() & ES_NOHIDESEL);
        RowPainter painter(e, dc, colors, showSelection);
        const size_t end = std::min(view.RowCount(), view.FirstRow() + view.VisibleRows() + 1);
        for (size_t row = view.FirstRow(); row < end; ++row) {
            int32_t top = view.RowTop(row);
            if (top < clip.bottom && top + view.RowHeight() > clip.top)
                painter.Paint(row, clip);
        }
    }
    if (e.Caret().Shown() && GetFocus() == e.Hwnd()) {
        Point p = view.PointOf(e.Text(), e.CaretPos());
        InvertRect(dc, Rect { p.x, p.y, p.x + kCaretWidth, p.y + view.RowHeight() });
    }
    EndPaint(e.Hwnd(), &ps);
}

}  // namespace tavix::native
