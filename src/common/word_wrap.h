// Word wrapping by UTF-16 code units.
//
// WrapWords cuts a text into rows of at most `width` units (a width below 1
// counts as 1) at U+0020 spaces, which are dropped; a word longer than the
// width is broken, never inside a surrogate pair. There is always at least
// one row (an empty text gives one empty row).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kassivo {

std::vector<std::u16string> WrapWords(std::u16string_view text, std::size_t width);

}  // namespace kassivo
