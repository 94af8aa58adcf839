// UpperCaser with the system's linguistic upper-case mapping
// (LCMapStringEx, invariant locale). The mapping is one code unit for one,
// so the length of a text never changes.
#pragma once

#include "platform/platform.h"

namespace kassivo {

class WindowsUpperCaser : public UpperCaser {
 public:
  std::u16string ToUpper(std::u16string_view text) const override;
};

}  // namespace kassivo
