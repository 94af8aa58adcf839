// UTF-16 texts at the Windows API: std::u16string and wchar_t strings hold
// the same code units on Windows, so they convert by reinterpretation.
#pragma once

#include <string>
#include <string_view>

namespace kassivo {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string FromWide(const wchar_t* text) {
  return text == nullptr ? std::u16string()
                         : FromWide(text, std::char_traits<wchar_t>::length(text));
}

}  // namespace kassivo
