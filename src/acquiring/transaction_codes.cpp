#include "acquiring/transaction_codes.h"

#include "common/text.h"

namespace kassivo {

namespace {

// The value in decimal, padded with leading zeros to `width` digits.
void AppendPadded(std::u16string& out, int value, std::size_t width) {
  std::u16string digits = DecimalText(value);
  std::u16string sign;
  if (!digits.empty() && digits.front() == u'-') {
    sign = u"-";
    digits.erase(0, 1);
  }
  out += sign;
  if (digits.size() < width) out.append(width - digits.size(), u'0');
  out += digits;
}

}  // namespace

std::u16string RRNCode(const LocalDateTime& time) {
  std::u16string code;
  AppendPadded(code, time.year, 4);
  AppendPadded(code, time.month, 2);
  AppendPadded(code, time.day, 2);
  AppendPadded(code, time.hour, 2);
  AppendPadded(code, time.minute, 2);
  AppendPadded(code, time.second, 2);
  code += DecimalText(time.millisecond);
  return code;
}

std::u16string AuthorizationCode(const LocalDateTime& time) {
  std::u16string code = DecimalText(time.millisecond);
  AppendPadded(code, time.second, 2);
  AppendPadded(code, time.minute, 2);
  return code;
}

}  // namespace kassivo
