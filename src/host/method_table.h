// DriverMethodTable: the 42 driver methods the host calls by number, and the
// queries the host makes on the table.
//
// A row's name is the English name, ";" and the Russian name; the method
// number is the row index. FindMethod compares a name exactly (ordinal, case
// significant, nothing trimmed) with each row's English then Russian name,
// rows in order, and gives the first match or -1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kassivo {

struct DriverMethod {
  const char16_t* name;  // "English;Russian"
  std::int32_t parameters;
};

inline constexpr std::int32_t kMethodCount = 42;

inline bool IsMethodNumber(std::int64_t number) {
  return number >= 0 && number < kMethodCount;
}

// The row for `number`, or null when outside 0..41.
const DriverMethod* MethodRow(std::int64_t number);

// The alias split: alias 0 gives the text before the first ";" (the whole
// text when there is none); any other alias the text after it (or "").
std::u16string TermString(std::u16string_view term, std::int32_t alias);

// The method number, or -1.
std::int32_t FindMethodNumber(std::u16string_view name);

}  // namespace kassivo
