#include "platform/windows/windows_upper_case.h"

#include <windows.h>

#include <climits>

namespace kassivo {

std::u16string WindowsUpperCaser::ToUpper(std::u16string_view text) const {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) {
    return std::u16string(text);
  }
  const int length = static_cast<int>(text.size());
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int needed = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING,
                                   source, length, nullptr, 0, nullptr, nullptr, 0);
  if (needed <= 0) return std::u16string(text);
  std::u16string upper(static_cast<std::size_t>(needed), u'\0');
  const int written =
      LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, source,
                    length, reinterpret_cast<wchar_t*>(upper.data()), needed, nullptr, nullptr, 0);
  if (written <= 0) return std::u16string(text);
  upper.resize(static_cast<std::size_t>(written));
  return upper;
}

}  // namespace kassivo
