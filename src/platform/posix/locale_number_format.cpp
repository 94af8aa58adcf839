#include "platform/posix/locale_number_format.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string_view>

#include "common/text.h"

namespace kassivo {

namespace {

// The empty name would make newlocale consult the environment itself; the
// environment is read by NumericLocaleName alone, so it stands for "C" here.
bool IsPortableLocale(std::string_view name) {
  return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// `bytes` in the locale's codeset, as UTF-16; nullopt when not convertible.
std::optional<std::u16string> Decode(std::string_view bytes, const char* codeset) {
  if (IsAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
  const std::string_view set = codeset ? codeset : "";
  if (set == "UTF-8" || set == "utf8" || set == "UTF8") {
    std::u16string text = FromUtf8(bytes);
    if (text.find(u'\uFFFD') != std::u16string::npos) return std::nullopt;
    return text;
  }
  iconv_t converter = iconv_open("UTF-8", codeset);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in(bytes);
  std::string out(in.size() * 4 + 4, '\0');
  char* in_ptr = in.data();
  std::size_t in_left = in.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  const std::size_t result = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1) || in_left != 0) return std::nullopt;
  out.resize(out.size() - out_left);
  return FromUtf8(out);
}

}  // namespace

std::string NumericLocaleName(const EnvironmentLookup& environment) {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = environment(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

NumberFormat NumberFormatOfLocale(const std::string& locale_name) {
  const NumberFormat fallback;
  if (IsPortableLocale(locale_name)) return fallback;
  // The codeset the separators are written in belongs to the character
  // category, so that one is taken from the same locale as well.
  locale_t locale =
      newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, locale_name.c_str(), static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) {
    locale = newlocale(LC_NUMERIC_MASK, locale_name.c_str(), static_cast<locale_t>(0));
  }
  if (locale == static_cast<locale_t>(0)) return fallback;
  const char* codeset = nl_langinfo_l(CODESET, locale);
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  const char* thousands = nl_langinfo_l(THOUSEP, locale);
  NumberFormat format;
  const auto decimal = Decode(radix ? radix : "", codeset);
  if (decimal && !decimal->empty()) format.decimal_separator = *decimal;
  const auto grouping = Decode(thousands ? thousands : "", codeset);
  if (grouping) format.thousands_separator = *grouping;
  freelocale(locale);
  return format;
}

NumberFormat UserNumberFormat() {
  return NumberFormatOfLocale(
      NumericLocaleName([](const char* name) { return std::getenv(name); }));
}

}  // namespace kassivo
