#include <gtest/gtest.h>
#include <random>
#include <string>
#include <tavix/native/clipboard.h>
#include <tavix/native/desktop.h>
#include <tavix/native/edit.h>
#include <tavix/native/subclass.h>
#include <tavix/native/text.h>
#include <tavix/native/window_paint.h>
#include <vector>

#include "native/win/edit_buffer.h"
#include "native/win/edit_caret.h"
#include "native/win/edit_view.h"

using namespace tavix::native;

namespace {

std::vector<uint16_t> g_notes;
HBRUSH g_editBrush = 0;

LRESULT HostProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND)
        g_notes.push_back(HIWORD(wp));
    if (m == WM_CTLCOLOREDIT && g_editBrush) {
        SetTextColor(static_cast<HDC>(wp), RGB(200, 0, 0));
        return g_editBrush;
    }
    if (m == WM_CONTEXTMENU)
        SetProp(h, "menu", static_cast<intptr_t>(wp));
    return DefWindowProc(h, m, wp, lp);
}

class WinEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_notes.clear();
        RegisterClass("EditHost", HostProc);
        host = CreateWindowEx(0, "EditHost", "", WS_VISIBLE, 0, 0, 400, 300, 0);
    }
    HWND Make(DWORD style, int width = 200, int height = 20, std::string_view text = "")
    {
        HWND e = CreateWindowEx(0, WC_EDIT, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, host);
        SetFocus(e);
        g_notes.clear();
        return e;
    }
    void Press(int vk, int modifier = 0)
    {
        if (modifier)
            desktop.KeyDown(modifier);
        desktop.KeyDown(vk);
        desktop.KeyUp(vk);
        if (modifier)
            desktop.KeyUp(modifier);
    }
    static std::pair<DWORD, DWORD> Sel(HWND e)
    {
        DWORD a = 0, b = 0;
        SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return { a, b };
    }
    static std::string SelectedText(HWND e)
    {
        auto [a, b] = Sel(e);
        std::string text = GetWindowText(e);
        return text.substr(a, b - a);  // ASCII texts only
    }
    static size_t Count(uint16_t code) { return static_cast<size_t>(std::count(g_notes.begin(), g_notes.end(), code)); }
    // Client point of the caret before character `pos`, at mid-row height.
    static POINT Screen(HWND e, LRESULT pos)
    {
        LRESULT at = SendMessage(e, EM_POSFROMCHAR, static_cast<WPARAM>(pos), 0);
        POINT p { GET_X_LPARAM(at), GET_Y_LPARAM(at) + 6 };
        ClientToScreen(e, &p);
        return p;
    }

    Desktop desktop { 500, 400 };
    HWND host { 0 };
};

}  // namespace

TEST_F(WinEdit, TypingMovesAndSelectsByCharacterAndWord)
{
    HWND e = Make(ES_AUTOHSCROLL);
    desktop.TypeText("one two  three");
    EXPECT_EQ(GetWindowText(e), "one two  three");
    EXPECT_EQ(Count(EN_CHANGE), 14u);
    EXPECT_EQ(Count(EN_UPDATE), 14u);
    Press(VK_LEFT, VK_CONTROL);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD> { 9, 9 }));
    Press(VK_LEFT, VK_CONTROL);
    Press(VK_LEFT, VK_CONTROL);
    EXPECT_EQ(Sel(e).first, 0u);
    Press(VK_RIGHT, VK_CONTROL);
    EXPECT_EQ(Sel(e).first, 4u) << "a word move skips the spaces after the word";
    desktop.KeyDown(VK_SHIFT);
    Press(VK_END);
    desktop.KeyUp(VK_SHIFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD> { 4, 14 }));
    Press(VK_LEFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD> { 4, 4 })) << "Left collapses a selection to its start";
    Press(VK_DELETE);
    desktop.Char(8);  // Backspace
    EXPECT_EQ(GetWindowText(e), "onewo  three");
    Press('A', VK_CONTROL);
    desktop.TypeText("x");
    EXPECT_EQ(GetWindowText(e), "x");
    // Positions count characters, not bytes.
    SetWindowText(e, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(SendMessage(e, WM_GETTEXTLENGTH, 0, 0), 5);
    SendMessage(e, EM_SETSEL, 1, -1);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD> { 1, 3 }));
    SendMessage(e, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("\xE2\x82\xAC"));
    EXPECT_EQ(GetWindowText(e), "\xC3\xA9\xE2\x82\xAC");
    char small[4];
    EXPECT_EQ(SendMessage(e, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2) << "no split character";
}

TEST_F(WinEdit, TheLimitCutsWhatTheUserEntersButNotWhatIsSet)
{
    HWND e = Make(ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), static_cast<LRESULT>(kEditDefaultLimit));
    SendMessage(e, EM_LIMITTEXT, 5, 0);
    desktop.TypeText("abcdefg");
    EXPECT_EQ(GetWindowText(e), "abcde");
    EXPECT_EQ(Count(EN_MAXTEXT), 2u);
    SendMessage(e, EM_SETSEL, 1, 3);
    SetClipboardText("12345");
    Press('V', VK_CONTROL);
    EXPECT_EQ(GetWindowText(e), "a12de") << "a paste fills the room the selection leaves";
    SendMessage(e, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("zz"));
    EXPECT_EQ(GetWindowText(e), "a12de");
    SetWindowText(e, "longer than five");
    EXPECT_EQ(GetWindowText(e), "longer than five");
    SendMessage(e, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);

    // Without ES_AUTOHSCROLL a single line takes only what fits its width.
    HWND narrow = Make(0, 40);
    desktop.TypeText("wwwwwwwwwwwwwwww");
    const auto kept = GetWindowText(narrow).size();
    EXPECT_GT(kept, 0u);
    EXPECT_LT(kept, 16u);
    EXPECT_GE(Count(EN_MAXTEXT), 1u);
}

TEST_F(WinEdit, UndoRevertsTheLastChangeAndUndoingAgainRedoes)
{
    HWND e = Make(ES_AUTOHSCROLL, 200, 20, "keep");
    Press(VK_END);
    desktop.TypeText(" typed");
    desktop.Char(8);
    EXPECT_EQ(GetWindowText(e), "keep type");
    EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
    Press('Z', VK_CONTROL);
    EXPECT_EQ(GetWindowText(e), "keep") << "one run of typing is one change";
    Press('Z', VK_CONTROL);
    EXPECT_EQ(GetWindowText(e), "keep type");
    SendMessage(e, EM_SETSEL, 0, 5);
    Press(VK_DELETE);
    EXPECT_EQ(GetWindowText(e), "type");
    EXPECT_TRUE(SendMessage(e, EM_UNDO, 0, 0));
    EXPECT_EQ(GetWindowText(e), "keep type");
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD> { 0, 5 })) << "what undo restores is selected";
    desktop.TypeText("ab");
    SetWindowText(e, "fresh");
    EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
    EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
    desktop.TypeText("c");
    Press('Z', VK_CONTROL);
    EXPECT_EQ(GetWindowText(e), "fresh") << "typing after new text starts a run of its own";
}

TEST_F(WinEdit, NumberAndCaseStylesApplyAsTheyAreSwitched)
{
    HWND e = Make(ES_AUTOHSCROLL);
    auto style = GetWindowLong(e, GWL_STYLE);
    SetWindowLong(e, GWL_STYLE, style | ES_NUMBER);
    desktop.TypeText("a1b2 3");
    EXPECT_EQ(GetWindowText(e), "123");
    SetWindowLong(e, GWL_STYLE, style | ES_UPPERCASE);
    desktop.TypeText("x\xC3\xA9");
    EXPECT_EQ(GetWindowText(e), "123X\xC3\x89");
    SetWindowText(e, "mixed Case");
    EXPECT_EQ(GetWindowText(e), "MIXED CASE");
    SetWindowLong(e, GWL_STYLE, style | ES_LOWERCASE);
    SetClipboardText("PaStE");
    Press(VK_INSERT, VK_SHIFT);
    EXPECT_EQ(GetWindowText(e), "pasteMIXED CASE");
}

TEST_F(WinEdit, ClipboardKeysCopyCutAndPasteAndReadOnlyOnlyCopies)
{
    HWND e = Make(ES_AUTOHSCROLL, 200, 20, "alpha beta");
    SendMessage(e, EM_SETSEL, 0, 5);
    Press(VK_INSERT, VK_CONTROL);
    EXPECT_EQ(GetClipboardText(), "alpha");
    SendMessage(e, EM_SETSEL, 5, 10);
    Press(VK_DELETE, VK_SHIFT);
    EXPECT_EQ(GetClipboardText(), " beta");
    EXPECT_EQ(GetWindowText(e), "alpha");
    Press(VK_HOME);
    Press('V', VK_CONTROL);
    EXPECT_EQ(GetWindowText(e), " betaalpha");
    SendMessage(e, EM_SETREADONLY, 1, 0);
    Press('A', VK_CONTROL);
    Press('X', VK_CONTROL);
    Press('V', VK_CONTROL);
    desktop.TypeText("q");
    EXPECT_EQ(GetWindowText(e), " betaalpha");
    EXPECT_EQ(GetClipboardText(), " beta") << "nothing was cut";
    Press('C', VK_CONTROL);
    EXPECT_EQ(GetClipboardText(), " betaalpha") << "copying still works";
    EXPECT_EQ(GetClipboardText(ClipboardSelection::Primary), std::nullopt) << "no selection made by a person yet";
}

TEST_F(WinEdit, MouseClicksDragsAndDoubleClicksSelect)
{
    HWND e = Make(ES_AUTOHSCROLL, 300, 20, "hello wide world");
    SetFocus(host);
    POINT p = Screen(e, 6);
    desktop.Click(p.x, p.y);
    EXPECT_EQ(GetFocus(), e);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD> { 6, 6 }));
    EXPECT_EQ(LOWORD(static_cast<uintptr_t>(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(p.x - 10, 6)))), 6);
    POINT q = Screen(e, 10);
    desktop.Advance(1000);  // not a double click
    desktop.MouseDown();
    desktop.MouseMove(q.x, q.y);
    desktop.MouseUp();
    EXPECT_EQ(SelectedText(e), "wide");
    EXPECT_EQ(GetClipboardText(ClipboardSelection::Primary), "wide");
    desktop.KeyDown(VK_SHIFT);
    POINT r = Screen(e, 16);
    desktop.Click(r.x, r.y);
    desktop.KeyUp(VK_SHIFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD> { 6, 16 })) << "Shift extends from the anchor";
    POINT w = Screen(e, 2);
    desktop.Advance(1000);
    desktop.Click(w.x, w.y);
    desktop.Click(w.x, w.y);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD> { 0, 6 })) << "the word and the spaces after it";
    // The middle button pastes the primary selection where it is released.
    desktop.MouseMove(r.x, r.y);
    desktop.MouseDown(Desktop::Button::Middle);
    desktop.MouseUp(Desktop::Button::Middle);
    EXPECT_EQ(GetWindowText(e), "hello wide worldhello ");
}

TEST_F(WinEdit, ContextMenuRequestsPassThroughTheProcedureChain)
{
    HWND e = Make(ES_AUTOHSCROLL);
    POINT p { 20, 18 };
    desktop.Click(p.x, p.y, Desktop::Button::Right);
    EXPECT_EQ(GetProp(host, "menu"), e) << "unhandled, the request reaches the parent";
    RemoveProp(host, "menu");

    struct Hook : SubclassOwner {
        int seen = 0;
        void SubclassProc(WNDPROC previous, HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT& result) override
        {
            if (m == WM_CONTEXTMENU)
                ++seen;
            else
                result = CallWindowProc(previous, h, m, wp, lp);
        }
    } hook;
    Subclass(e, SubclassKind::TavixTextBox, &hook);
    desktop.Click(p.x, p.y, Desktop::Button::Right);
    Press(VK_APPS);
    desktop.TypeText("still types");
    Unsubclass(e, SubclassKind::TavixTextBox);
    EXPECT_EQ(hook.seen, 2);
    EXPECT_FALSE(HasProp(host, "menu"));
    EXPECT_EQ(GetWindowText(e), "still types");
}

TEST_F(WinEdit, MultiLineWrapsMovesByRowsAndScrolls)
{
    UniqueGdiObject font(CreateFontFromSpec(FontSpec { .name = "DejaVu Sans Mono", .points = 9 }));
    HWND e = Make(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 120, 60);
    SendMessage(e, WM_SETFONT, font, 1);
    SetWindowText(e, "aaaa bbbb cccc dddd eeee ffff\r\nshort\nlast");
    const LRESULT rows = SendMessage(e, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(rows, 3) << "the long line wraps";
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 1, 0) % 5, 0) << "rows break after a space";
    SendMessage(e, EM_SETSEL, 2, 2);
    Press(VK_DOWN);
    EXPECT_EQ(Sel(e).first - static_cast<DWORD>(SendMessage(e, EM_LINEINDEX, 1, 0)), 2u) << "Down keeps the column";
    Press(VK_END, VK_CONTROL);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), rows - 1);
    SCROLLINFO si { .fMask = SIF_ALL };
    GetScrollInfo(e, SB_VERT, &si);
    EXPECT_EQ(si.nMax, rows - 1);
    EXPECT_EQ(si.nPos + static_cast<int>(si.nPage), rows) << "the caret's row is in view";
    desktop.MouseMove(30, 30);
    desktop.Wheel(WHEEL_DELTA);
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    desktop.Click(10 + 120 - 5, 10 + 60 - 5);  // the scroll bar's down arrow
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    EXPECT_EQ(Count(EN_VSCROLL), 1u);
    desktop.Char(13);
    desktop.TypeText("new");
    EXPECT_EQ(GetWindowText(e), "aaaa bbbb cccc dddd eeee ffff\r\nshort\nlast\r\nnew");
    Press(VK_HOME, VK_CONTROL);
    Press(VK_NEXT);
    EXPECT_GT(SendMessage(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 31, 0), 5) << "the row of \"short\", its break not counted";
}

TEST_F(WinEdit, LongSingleLineScrollsToKeepTheCaretInView)
{
    HWND e = Make(ES_AUTOHSCROLL, 80, 20, std::string(200, 'm'));
    RECT client;
    GetClientRect(e, &client);
    Press(VK_END);
    auto x = GET_X_LPARAM(SendMessage(e, EM_POSFROMCHAR, 200, 0));
    EXPECT_GE(x, 0);
    EXPECT_LT(x, client.right);
    Press(VK_HOME);
    EXPECT_EQ(GET_X_LPARAM(SendMessage(e, EM_POSFROMCHAR, 0, 0)), LOWORD(SendMessage(e, EM_GETMARGINS, 0, 0)));
    SendMessage(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(7, 3));
    EXPECT_EQ(GET_X_LPARAM(SendMessage(e, EM_POSFROMCHAR, 0, 0)), 7);
    RECT format;
    SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.right, client.right - 3);
    // Alignment follows the style as it is switched.
    SetWindowText(e, "ab");
    SetWindowLong(e, GWL_STYLE, GetWindowLong(e, GWL_STYLE) | ES_RIGHT);
    EXPECT_EQ(GET_X_LPARAM(SendMessage(e, EM_POSFROMCHAR, 2, 0)), format.right);
}

TEST_F(WinEdit, CaretBlinksWithFocusAndColoursComeFromTheParent)
{
    UniqueGdiObject yellow(CreateSolidBrush(RGB(255, 255, 0)));
    g_editBrush = yellow;
    HWND e = Make(ES_AUTOHSCROLL, 100, 20, "Tt");
    SendMessage(e, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(4, 0));
    POINT caret { 4, 5 };
    ClientToScreen(e, &caret);
    auto pixel = [&] { return desktop.Frame().Pixel(caret.x, caret.y); };
    const uint32_t shown = pixel();
    desktop.Advance(EditCaret::kBlinkMs);
    const uint32_t hidden = pixel();
    EXPECT_NE(shown, hidden);
    EXPECT_EQ(hidden, ToPixel(RGB(255, 255, 0))) << "the parent's brush fills the background";
    desktop.Advance(EditCaret::kBlinkMs);
    EXPECT_EQ(pixel(), shown);
    SetFocus(host);
    desktop.Advance(EditCaret::kBlinkMs);
    EXPECT_EQ(pixel(), hidden) << "no caret without the focus";
    // The text takes the parent's colour.
    bool red = false;
    const Surface& frame = desktop.Frame();
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 40; ++x)
            red = red || frame.Pixel(x, y) == ToPixel(RGB(200, 0, 0));
    EXPECT_TRUE(red);
    g_editBrush = 0;
}

TEST_F(WinEdit, PastingAMegabyteGoesInWhole)
{
    HWND e = Make(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL, 200, 100);
    SendMessage(e, EM_LIMITTEXT, 0, 0);
    std::string big;
    while (big.size() < (1 << 20))
        big += "a line of pasted text with some words in it\r\n";
    SetClipboardText(big);
    Press('V', VK_CONTROL);
    EXPECT_EQ(SendMessage(e, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(big.size()));
    EXPECT_EQ(Sel(e).first, static_cast<DWORD>(big.size()));
    desktop.TypeText("!");
    EXPECT_EQ(GetWindowText(e).back(), '!');
}

// The per-line layout is updated edit by edit; it must equal one built from
// the final text, wrapping included.
TEST(EditLayout, IncrementalEditsMatchALayoutBuiltFromScratch)
{
    Desktop desktop;
    EditGlyphs glyphs(0);
    EditBuffer text(true);
    EditView view;
    view.SetFormatRect({ 0, 0, 90, 400 });
    view.SetWrap(true);
    view.SetRowHeight(glyphs.LineHeight());
    view.Rebuild(text);
    std::mt19937 rng(7);
    const std::vector<std::string> pieces { "a", "word ", "\t", "\r\n", "\xC3\xA9", "\n", "  ",
        "longwordwithoutspaces" };
    for (int step = 0; step < 400; ++step) {
        size_t len = text.Length();
        size_t from = text.Snap(rng() % (len + 1)), to = text.Snap(from + rng() % 4);
        const std::string& piece = pieces[rng() % pieces.size()];
        view.Update(text, text.Replace(from, to, rng() % 3 ? piece : "", glyphs));
    }
    EditBuffer fresh(true);
    fresh.Replace(0, 0, text.Text(), glyphs);
    EditView rebuilt = view;
    rebuilt.Rebuild(fresh);
    ASSERT_EQ(fresh.LineCount(), text.LineCount());
    for (size_t l = 0; l < text.LineCount(); ++l) {
        ASSERT_EQ(fresh.Line(l).Length(), text.Line(l).Length());
        for (size_t c = 0; c <= text.Line(l).Length(); ++c)
            ASSERT_EQ(fresh.Line(l).X(c), text.Line(l).X(c)) << l << ":" << c;
    }
    ASSERT_EQ(rebuilt.RowCount(), view.RowCount());
    for (size_t r = 0; r < view.RowCount(); ++r)
        ASSERT_EQ(rebuilt.RowAt(fresh, r).from, view.RowAt(text, r).from);
}
