// Text helpers for the driver's UTF-16 strings.
//
// The driver keeps every text as UTF-16 (std::u16string), the way texts cross
// the COM boundary; lengths, padding and cutting count UTF-16 code units.
// Conversion to and from UTF-8 happens only at the edges (XML parser, files,
// terminal). The converters never fail: an unpaired surrogate or an invalid
// UTF-8 sequence becomes U+FFFD.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kassivo {

std::string ToUtf8(std::u16string_view text);
// The same appended to `out`, with no string between.
void AppendUtf8(std::u16string_view text, std::string& out);
std::u16string FromUtf8(std::string_view text);
// The same into `out`, which has room for text.size() units at least (no
// text needs more); returns the end of what was written.
char16_t* FromUtf8To(std::string_view text, char16_t* out);

// Equal texts, found with one memory compare (the standard compare of
// char16_t texts goes unit by unit).
inline bool SameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         (b.empty() || std::memcmp(a.data(), b.data(), b.size() * sizeof(char16_t)) == 0);
}

// Removes every leading and trailing code unit up to U+0020 (spaces and
// control characters); other characters, the no-break space included, stay.
std::u16string Trim(std::u16string_view text);
// The part of `text` Trim would copy.
std::u16string_view TrimView(std::u16string_view text);
// True when Trim would leave nothing; copies nothing (texts may be megabytes).
bool IsBlank(std::u16string_view text);

// "a".."z" become "A".."Z"; everything else is left alone.
std::u16string AsciiUpper(std::u16string_view text);

// Every occurrence of `from` (non-empty) replaced by `to`, left to right.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to);

// Plain decimal, "-" for negatives, no grouping.
std::u16string DecimalText(std::int64_t value);

// "True" or "False", as the driver writes flags into its XML answers.
std::u16string FlagText(bool value);

// Shorthand for ASCII/UTF-8 literals in code: U("text") == FromUtf8("text").
inline std::u16string U(std::string_view utf8) {
  return FromUtf8(utf8);
}

}  // namespace kassivo
