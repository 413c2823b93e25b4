#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tavix::core {

// Selection regime, range anchor, keyboard settings and the incremental search.
struct SelectionState {
    bool multiSelect { false };
    bool rowMode { false };

    // Anchor of Shift range extension and the value a Ctrl+Shift extension writes.
    int32_t anchorRow { 0 };
    int32_t anchorCol { 0 };
    bool anchorState { false };
    // Multi-select row mode: the selection is known to be the current row only.
    bool singleRowSelected { false };

    int32_t keyPressBehaviour { 2 };  // EKeyPressBehaviour, tvKeyPressEditReplace
    int32_t keySearchCol { 0 };
    bool keySearchFromCurRow { false };
    bool keySearchLoop { false };

    // Characters typed so far, upper case, UTF-8; empty when no search runs.
    // Painting reads the highlight it implies from Appearance::search.
    std::string searchBuffer;
    int32_t searchCol { 0 };

    // Ctrl+Space toggled the selection: the Space character that follows is not an edit request.
    bool swallowSpace { false };
    bool hasFocus { false };

    // Where an accepted edit request goes once an in-place editor exists; while
    // unset the request ends after the RequestEdit event.
    std::function<void(int16_t keyAscii)> startEdit;
};

}  // namespace tavix::core
