#include "platform/windows/regional_number_format.h"

#include <windows.h>

#include <optional>

#include "platform/windows/wide_text.h"

namespace kassivo {

namespace {

std::optional<std::u16string> LocaleText(LCTYPE item) {
  wchar_t buffer[16] = {};
  const int written =
      GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, static_cast<int>(std::size(buffer)));
  if (written <= 0) return std::nullopt;
  return FromWide(buffer);
}

}  // namespace

NumberFormat RegionalNumberFormat() {
  NumberFormat format;
  if (auto decimal = LocaleText(LOCALE_SDECIMAL); decimal && !decimal->empty()) {
    format.decimal_separator = *decimal;
  }
  if (auto thousands = LocaleText(LOCALE_STHOUSAND)) format.thousands_separator = *thousands;
  return format;
}

}  // namespace kassivo
