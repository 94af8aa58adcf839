#include "common/word_wrap.h"

#include <algorithm>

namespace kassivo {

namespace {

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

std::vector<std::u16string> WrapWords(std::u16string_view text, std::size_t width) {
  width = std::max<std::size_t>(width, 1);
  std::vector<std::u16string> rows;
  std::u16string row;
  auto finish_row = [&]() {
    rows.push_back(row);
    row.clear();
  };
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == u' ') {
      ++i;
      continue;
    }
    std::size_t end = text.find(u' ', i);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view word = text.substr(i, end - i);
    i = end;
    if (!row.empty() && row.size() + 1 + word.size() <= width) {
      row += u' ';
      row += word;
      continue;
    }
    if (!row.empty()) finish_row();
    while (word.size() > width) {
      std::size_t cut = width;
      if (cut > 1 && IsHighSurrogate(word[cut - 1])) --cut;
      row.assign(word.substr(0, cut));
      finish_row();
      word.remove_prefix(cut);
    }
    row.assign(word);
  }
  if (!row.empty() || rows.empty()) finish_row();
  return rows;
}

}  // namespace kassivo
