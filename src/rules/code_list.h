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

std::optional<int> CodeOf(std::u16string_view text);
bool ListHasCode(std::u16string_view list, std::u16string_view code);

}  // namespace kassivo
