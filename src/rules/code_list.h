// Codes and the comma-separated code lists of the registration
// (TaxationSystems, AgentTypes).
//
// CodeOf reads a code of decimal digits only (at most nine of them): none
// for anything else. ListHasCode answers whether one of the list's entries,
// each trimmed of the spaces around it, is the code: compared as numbers
// when both are codes of digits ("01" is "1"), as texts otherwise. An empty
// entry matches nothing.
#pragma once

#include <optional>
#include <string_view>

namespace kassivo {

inline std::optional<int> CodeOf(std::u16string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return value;
}
bool ListHasCode(std::u16string_view list, std::u16string_view code);

}  // namespace kassivo
