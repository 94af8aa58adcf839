// UpperCaser with ICU's full Unicode case mapping (root locale).
#pragma once

#include "platform/platform.h"

namespace kassivo {

class IcuUpperCaser : public UpperCaser {
 public:
  std::u16string ToUpper(std::u16string_view text) const override;
};

}  // namespace kassivo
