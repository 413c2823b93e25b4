#pragma once
// The five in-place edit boxes over the grid window: one single-line box and
// four multi-line ones with every combination of scroll bars. Created hidden
// on first use, one shown at a time; the owner hooks them all to hear keys,
// mouse, focus and the context menu.
#include "paint/paint_resources.h"

#include <tavix/native/gdi.h>
#include <tavix/native/subclass.h>

#include <array>
#include <cstdint>
#include <string>

namespace tavix::edit {

// Which box, and how it is set up when shown.
struct TextEditorSetup {
    int32_t index { 0 };
    native::Rect rect {};
    paint::SharedFont font;
    // Characters; below 1 no limit.
    int32_t maxLength { 0 };
    // ES_NUMBER, ES_UPPERCASE and ES_LOWERCASE, as the host asked.
    native::DWORD styleBits { 0 };
    bool rightToLeft { false };
    native::COLORREF back { 0 };
    native::COLORREF fore { 0 };
};

class TextEditor {
public:
    static constexpr int32_t kEditorCount { 5 };

    TextEditor() = default;
    ~TextEditor();
    TextEditor(const TextEditor&) = delete;
    TextEditor& operator=(const TextEditor&) = delete;

    // Creates the boxes in `parent` once, each hooked to `owner`.
    bool Create(native::HWND parent, native::SubclassOwner& owner);
    bool Created() const { return parent_ != 0 && native::IsWindow(boxes_[0]); }
    // Places and styles the box `setup.index`; it stays hidden until Show.
    void Prepare(const TextEditorSetup& setup);
    void Show();
    void Hide();
    void Focus() const;
    bool Visible() const;

    native::HWND Hwnd() const { return Created() ? boxes_[static_cast<size_t>(current_)] : 0; }
    bool Owns(native::HWND hwnd) const;

    std::string Text() const;
    void SetText(const std::string& text) const;
    // Character positions, as EM_GETSEL counts them.
    int32_t SelStart() const;
    int32_t SelLength() const;
    void SetSel(int32_t start, int32_t end) const;
    std::string SelText() const;
    void ReplaceSel(const std::string& text) const;

    // The answer to the parent's WM_CTLCOLOREDIT for the shown box.
    native::LRESULT CtlColor(native::HDC dc) const;

private:
    native::HWND parent_ { 0 };
    std::array<native::HWND, kEditorCount> boxes_ {};
    int32_t current_ { 0 };
    native::COLORREF fore_ { 0 };
    native::COLORREF back_ { 0 };
    native::UniqueGdiObject brush_;
    // Held while the box is set to it, whatever becomes of the grid's fonts.
    paint::SharedFont font_;
};

}  // namespace tavix::edit
