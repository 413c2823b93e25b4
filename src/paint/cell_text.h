#pragma once
// Text of a cell, drawn or measured with the grid's text format flags.
#include <cstdint>
#include <string_view>

#include <tavix/native/text.h>

namespace tavix {

// Grid-only flag: the text's ampersands mark mnemonics. Without it they are
// shown literally.
constexpr uint32_t kTextProcessPrefix = 2097152;

// Draws `text` into `rc` (or measures it into `rc` with DT_CALCRECT) and
// returns the text height. A single-line text with DT_PATH_ELLIPSIS keeps its
// last path component whole.
int DrawCellText(native::HDC hdc, std::string_view text, native::Rect& rc, uint32_t flags);
// Byte length of the first `chars` UTF-8 characters of text (counts as the native edit counts).
size_t Utf8Prefix(std::string_view text, int32_t chars);

}  // namespace tavix
