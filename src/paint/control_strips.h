#pragma once
// Cached images of check boxes and combo buttons, one strip per box size
// 1..16, each slot 16 pixels wide. Drawing a control is a copy of a slot.
#include <array>
#include <cstdint>

#include "paint/ux_theme.h"
#include <tavix/native/gdi.h>

namespace tavix {

class ControlStrips {
public:
    // `theme` draws the themed slots; it must outlive the strips.
    explicit ControlStrips(UxTheme& theme)
        : theme_(theme)
    {
    }
    ControlStrips(const ControlStrips&) = delete;
    ControlStrips& operator=(const ControlStrips&) = delete;

    // Themed strips are drawn through the theme object, classic ones as frame
    // controls. Changing it does not redraw existing strips; Discard() does.
    void SetThemed(bool themed) { themed_ = themed; }
    bool Themed() const { return themed_; }

    // The box size is the rectangle's width; sizes outside 1..16 draw nothing.
    void DrawCheckBox(native::HDC hdc, const native::Rect& box, int state, bool flat, bool hot);
    void DrawComboButton(native::HDC hdc, const native::Rect& button, bool pressed, bool flat, bool hot);

    void Discard();
    bool HasCheckBoxStrip(int32_t size) const;

private:
    struct Strip {
        // Declared before the DC so the DC (which holds it selected) goes first.
        native::UniqueGdiObject bitmap;
        native::UniqueDC dc;
        bool Created() const { return dc.Get() != 0; }
    };
    static constexpr int32_t kMaxSize = 16;
    using Cache = std::array<Strip, kMaxSize>;

    static void Create(Strip& strip, native::HDC target, int32_t slots);
    void Fill(Strip& strip, int32_t size, bool checkBoxes);
    void DrawThemedSlot(native::HDC dc, int32_t slot, int32_t state, int32_t size);

    UxTheme& theme_;
    bool themed_ = false;
    Cache checkBoxes_;
    Cache comboButtons_;
};

}  // namespace tavix
