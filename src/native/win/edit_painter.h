#pragma once
// Paints an edit control: background, the visible rows with the selection,
// and the caret.
namespace tavix::native {

class EditControl;

void PaintEdit(EditControl& edit);

}  // namespace tavix::native
