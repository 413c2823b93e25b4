#include "paint/control_strips.h"

#include "paint/cell_controls.h"
#include <tavix/native/frame.h>

#include <span>

namespace tavix {
namespace {

using namespace native;

constexpr int32_t kCheckSlots = 9;
constexpr int32_t kComboSlots = 5;

constexpr UINT kClassicCheck[] = {
    DFCS_BUTTONCHECK,
    DFCS_BUTTONCHECK | DFCS_CHECKED,
    DFCS_CHECKED | DFCS_BUTTON3STATE,
    DFCS_FLAT,
    DFCS_FLAT | DFCS_CHECKED,
    DFCS_FLAT | DFCS_CHECKED | DFCS_BUTTON3STATE,
};
constexpr UINT kClassicCombo[] = {
    DFCS_SCROLLCOMBOBOX,
    DFCS_SCROLLCOMBOBOX | DFCS_PUSHED,
    DFCS_SCROLLCOMBOBOX | DFCS_FLAT,
    DFCS_SCROLLCOMBOBOX | DFCS_FLAT | DFCS_PUSHED,
};

struct ThemedSlot {
    int32_t slot;
    int32_t state;
};
// Check box: unchecked, checked, mixed in normal then hot state.
constexpr ThemedSlot kThemedCheck[] = { { 0, 1 }, { 1, 5 }, { 2, 9 }, { 6, 2 }, { 7, 6 }, { 8, 10 } };
// Combo drop-down button: normal, pressed, hot.
constexpr ThemedSlot kThemedCombo[] = { { 0, 1 }, { 1, 3 }, { 4, 2 } };

// What differs between the two strips: the theme part and the classic frame-control states.
struct StripKind {
    const char* className;
    int32_t part;
    std::span<const ThemedSlot> themed;
    UINT frameType;
    std::span<const UINT> classic;
};
constexpr StripKind kCheckStrip { "Button", 3, kThemedCheck, DFC_BUTTON, kClassicCheck };
constexpr StripKind kComboStrip { "ComboBox", 1, kThemedCombo, DFC_SCROLL, kClassicCombo };

Rect SlotRect(int32_t slot, int32_t size) { return { kControlSize * slot, 0, kControlSize * slot + size, size }; }

bool ValidSize(int32_t size) { return size >= 1 && size <= kControlSize; }

}  // namespace

void ControlStrips::Create(Strip& strip, HDC target, int32_t slots)
{
    strip.bitmap = UniqueGdiObject(CreateCompatibleBitmap(target, kControlSize * slots, kControlSize));
    strip.dc = UniqueDC(CreateCompatibleDC(target));
    SelectObject(strip.dc, strip.bitmap);
}

void ControlStrips::DrawThemedSlot(HDC dc, int32_t slot, int32_t state, int32_t size)
{
    theme_.SetHdc(dc);
    theme_.SetState(state);
    theme_.SetLeft(kControlSize * slot);
    theme_.SetTop(0);
    theme_.SetWidth(size);
    theme_.SetHeight(size);
    theme_.DrawBackground();
}

void ControlStrips::Fill(Strip& strip, int32_t size, bool checkBoxes)
{
    const StripKind& kind = checkBoxes ? kCheckStrip : kComboStrip;
    if (themed_) {
        theme_.SetClassName(kind.className);
        theme_.SetPart(kind.part);
        for (const ThemedSlot& s : kind.themed)
            DrawThemedSlot(strip.dc, s.slot, s.state, size);
        return;
    }
    for (size_t slot = 0; slot < kind.classic.size(); ++slot)
        DrawFrameControl(strip.dc, SlotRect(static_cast<int32_t>(slot), size), kind.frameType, kind.classic[slot]);
}

void ControlStrips::DrawCheckBox(HDC hdc, const Rect& box, int state, bool flat, bool hot)
{
    const int32_t size = box.Width();
    if (!ValidSize(size) || state < 0 || state > 2)
        return;
    Strip& strip = checkBoxes_[size - 1];
    if (!strip.Created()) {
        Create(strip, hdc, kCheckSlots);
        Fill(strip, size, true);
    }
    const int slot = CheckBoxSlot(state, flat, hot, themed_);
    BitBlt(hdc, box.left, box.top, size, size, strip.dc, kControlSize * slot, 0, SRCCOPY);
}

void ControlStrips::DrawComboButton(HDC hdc, const Rect& button, bool pressed, bool flat, bool hot)
{
    const int32_t size = button.Width();
    if (!ValidSize(size))
        return;
    Strip& strip = comboButtons_[size - 1];
    if (!strip.Created()) {
        Create(strip, hdc, kComboSlots);
        Fill(strip, size, false);
    }
    const int slot = ComboButtonSlot(pressed, flat, hot, themed_);
    BitBlt(hdc, button.left, button.top, size, size, strip.dc, kControlSize * slot, 0, SRCCOPY);
}

void ControlStrips::Discard()
{
    for (Cache* cache : { &checkBoxes_, &comboButtons_ }) {
        for (Strip& strip : *cache) {
            strip.dc.Reset();
            strip.bitmap.Reset();
        }
    }
}

bool ControlStrips::HasCheckBoxStrip(int32_t size) const { return ValidSize(size) && checkBoxes_[size - 1].Created(); }

}  // namespace tavix
