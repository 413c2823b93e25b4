#include "edit/text_editor.h"

#include "paint/cell_text.h"

#include <tavix/native/edit.h>
#include <tavix/native/window.h>

#include <algorithm>

namespace tavix::edit {

namespace {

using namespace native;

constexpr DWORD kStyleBits = ES_NUMBER | ES_UPPERCASE | ES_LOWERCASE;
constexpr DWORD kAlignBits = ES_LEFT | ES_CENTER | ES_RIGHT;

// Index 0 scrolls sideways on one line; the others wrap unless they have a horizontal bar.
constexpr std::array<DWORD, TextEditor::kEditorCount> kStyles {
    ES_AUTOHSCROLL,
    ES_MULTILINE | ES_AUTOVSCROLL,
    ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL,
    ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL,
    ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL,
};

std::pair<int32_t, int32_t> Selection(HWND box)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return { static_cast<int32_t>(start), static_cast<int32_t>(end) };
}

}  // namespace

TextEditor::~TextEditor()
{
    for (HWND box : boxes_)
        if (box != 0 && IsWindow(box)) {
            Unsubclass(box, SubclassKind::TavixTextBox);
            DestroyWindow(box);
        }
}

bool TextEditor::Create(HWND parent, SubclassOwner& owner)
{
    if (Created())
        return true;
    parent_ = parent;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | kStyles[i], 0, 0, 0, 0, parent);
        if (boxes_[i] == 0)
            return false;
        Subclass(boxes_[i], SubclassKind::TavixTextBox, &owner);
    }
    return true;
}

void TextEditor::Prepare(const TextEditorSetup& setup)
{
    current_ = std::clamp(setup.index, 0, kEditorCount - 1);
    const HWND box = Hwnd();
    const auto style = static_cast<DWORD>(GetWindowLong(box, GWL_STYLE));
    const DWORD align = setup.rightToLeft ? ES_RIGHT : ES_LEFT;
    SetWindowLong(box, GWL_STYLE,
        static_cast<LONG_PTR>((style & ~(kStyleBits | kAlignBits)) | (setup.styleBits & kStyleBits) | align));
    SendMessage(box, WM_SETFONT, static_cast<WPARAM>(setup.font ? setup.font->Get() : 0), 0);
    font_ = setup.font;
    SendMessage(box, EM_LIMITTEXT, static_cast<WPARAM>(std::max(setup.maxLength, 0)), 0);
    MoveWindow(box, setup.rect.left, setup.rect.top, setup.rect.Width(), setup.rect.Height(), false);
    fore_ = setup.fore;
    if (!brush_.Get() || back_ != setup.back)
        brush_.Reset(CreateSolidBrush(setup.back));
    back_ = setup.back;
}

void TextEditor::Show() { ShowWindow(Hwnd(), SW_SHOW); }

void TextEditor::Hide()
{
    if (Created())
        ShowWindow(Hwnd(), SW_HIDE);
}

void TextEditor::Focus() const { SetFocus(Hwnd()); }

bool TextEditor::Visible() const { return Created() && IsWindowVisible(Hwnd()); }

bool TextEditor::Owns(HWND hwnd) const
{
    return hwnd != 0 && std::find(boxes_.begin(), boxes_.end(), hwnd) != boxes_.end();
}

std::string TextEditor::Text() const { return GetWindowText(Hwnd()); }

void TextEditor::SetText(const std::string& text) const { SetWindowText(Hwnd(), text); }

int32_t TextEditor::SelStart() const { return Selection(Hwnd()).first; }

int32_t TextEditor::SelLength() const
{
    const auto [start, end] = Selection(Hwnd());
    return end - start;
}

void TextEditor::SetSel(int32_t start, int32_t end) const
{
    SendMessage(Hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

std::string TextEditor::SelText() const
{
    const std::string text = Text();
    const auto [start, end] = Selection(Hwnd());
    const size_t from = Utf8Prefix(text, start);
    return text.substr(from, Utf8Prefix(text, end) - from);
}

void TextEditor::ReplaceSel(const std::string& text) const
{
    SendMessage(Hwnd(), EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT TextEditor::CtlColor(HDC dc) const
{
    SetTextColor(dc, fore_);
    SetBkColor(dc, back_);
    return static_cast<LRESULT>(brush_.Get());
}

}  // namespace tavix::edit
