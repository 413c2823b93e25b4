#include "edit/editor.h"

#include <tavix/enums.h>
#include <tavix/events.h>

#include <string>

namespace tavix::edit {

namespace {
constexpr int16_t kEnter = 13;
constexpr int16_t kSpace = 32;
}  // namespace

void Editor::RequestEdit(int16_t keyAscii)
{
    if (!painter_.Look().enabled || !editable_)
        return;
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    // Control characters other than Enter start nothing.
    if (row == 0 || col == 0 || (keyAscii >= 1 && keyAscii < kSpace && keyAscii != kEnter))
        return;
    std::string text = table_.CellText(row, col);
    if (keyAscii >= kSpace) {
        const std::string typed = interaction::Utf8OfCode(keyAscii);
        if (keyboard_.KeyPressBehaviour() == tvKeyPressEditAppend)
            text += typed;
        else if (keyboard_.KeyPressBehaviour() == tvKeyPressEditReplace)
            text = typed;
    }
    bool cancel = false;
    int32_t maxLength = 0;
    auto options = static_cast<ETextEditFlags>(0);
    layout_.ScrollCellIntoView(row, col);
    table_.Events().RequestEdit(row, col, keyAscii, cancel, text, maxLength, options);
    if (!cancel)
        search_.Clear();
}

}  // namespace tavix::edit
