#pragma once
// The buttons a message box type asks for, which one is the default and what
// Escape answers.
#include <string_view>
#include <tavix/native/message_box.h>
#include <vector>

namespace tavix::native {

struct MessageBoxButton {
    int id { IDOK };
    std::string_view label;  // "&" marks the key that presses it
};

struct MessageBoxButtons {
    std::vector<MessageBoxButton> buttons;
    size_t defaultIndex { 0 };
    int escapeId { 0 };  // 0: Escape does nothing

    static MessageBoxButtons For(UINT type);
    int DefaultId() const { return buttons[defaultIndex].id; }
    // The button whose marked key is `ch` (case ignored), or -1.
    int IndexOfKey(char32_t ch) const;
};

}  // namespace tavix::native
