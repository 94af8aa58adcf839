#include "rules/code_list.h"

#include "common/text.h"

namespace kassivo {

bool ListHasCode(std::u16string_view list, std::u16string_view code) {
  const std::u16string_view wanted = TrimView(code);
  const std::optional<int> wanted_code = CodeOf(wanted);
  std::size_t begin = 0;
  while (begin <= list.size()) {
    std::size_t end = list.find(u',', begin);
    if (end == std::u16string_view::npos) end = list.size();
    const std::u16string_view entry = TrimView(list.substr(begin, end - begin));
    if (!entry.empty()) {
      const std::optional<int> entry_code = CodeOf(entry);
      if (wanted_code && entry_code ? *wanted_code == *entry_code : entry == wanted) return true;
    }
    begin = end + 1;
  }
  return false;
}

}  // namespace kassivo
