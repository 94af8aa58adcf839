#include "platform/icu_upper_case.h"

#include <unicode/ustring.h>

namespace kassivo {

std::u16string IcuUpperCaser::ToUpper(std::u16string_view text) const {
  if (text.empty()) return {};
  std::u16string out(text.size() + 8, u'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_strToUpper(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                     reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                     "", &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      out.assign(static_cast<std::size_t>(length) + 1, u'\0');
      continue;
    }
    if (U_FAILURE(status)) return std::u16string(text);
    out.resize(static_cast<std::size_t>(length));
    return out;
  }
  return std::u16string(text);
}

}  // namespace kassivo
