#include "common/value.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/text.h"

namespace kassivo {

namespace {

std::u16string Quoted(std::u16string_view text) {
  return u"\"" + std::u16string(text) + u"\"";
}

std::u16string ShortestReal(double value, const NumberFormat& format) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::u16string text = FromUtf8(std::string_view(buffer, result.ptr - buffer));
  return ReplaceAll(text, u".", format.decimal_separator);
}

}  // namespace

DriverError::DriverError(std::u16string message)
    : std::runtime_error(ToUtf8(message)), message_(std::move(message)) {}

bool Value::operator==(const Value& other) const {
  if (kind_ != other.kind_) return false;
  switch (kind_) {
    case Kind::kEmpty:
      return true;
    case Kind::kText:
      return text_ == other.text_;
    case Kind::kBoolean:
      return scalar_.boolean == other.scalar_.boolean;
    case Kind::kInteger:
      return scalar_.integer == other.scalar_.integer;
    case Kind::kReal:
      return scalar_.real == other.scalar_.real;
  }
  return false;
}

void Value::FreeText() noexcept {
  text_.~basic_string();
  new (&scalar_) Scalar{};
  kind_ = Kind::kEmpty;
}

void Value::AssignText(const std::u16string& text) {
  if (kind_ == Kind::kText) {
    text_ = text;
  } else {
    // Copied apart first: a copy that throws would leave the scalar overwritten.
    std::u16string copy(text);
    new (&text_) std::u16string(std::move(copy));
    kind_ = Kind::kText;
  }
}

void Value::AssignText(std::u16string&& text) noexcept {
  if (kind_ == Kind::kText) {
    text_ = std::move(text);
  } else {
    new (&text_) std::u16string(std::move(text));
    kind_ = Kind::kText;
  }
}

void Value::ThrowWrongKind() {
  throw std::bad_variant_access();
}

std::int32_t RoundHalfEven(double value) {
  if (!std::isfinite(value) || value >= 2147483647.5 || value < -2147483648.5) {
    throw ConversionError(u"Значение " + ShortestReal(value, NumberFormat{}) +
                          u" не умещается в 32-разрядное целое число.");
  }
  const double rounded = std::nearbyint(value);  // default rounding mode: to even
  return static_cast<std::int32_t>(rounded);
}

std::u16string ToText(const Value& value, const NumberFormat& format) {
  switch (value.kind()) {
    case Value::Kind::kEmpty:
      return u"";
    case Value::Kind::kText:
      return value.text();
    case Value::Kind::kBoolean:
      return FlagText(value.boolean());
    case Value::Kind::kInteger:
      return DecimalText(value.integer());
    case Value::Kind::kReal:
      return ShortestReal(value.real(), format);
  }
  return u"";
}

std::u16string ToText(Value&& value, const NumberFormat& format) {
  if (value.kind() == Value::Kind::kText) return std::move(value).text();
  return ToText(static_cast<const Value&>(value), format);
}

double ToReal(const Value& value, const NumberFormat& format) {
  switch (value.kind()) {
    case Value::Kind::kEmpty:
      return 0;
    case Value::Kind::kText: {
      const auto number = ParseNumber(value.text(), format);
      if (!number) {
        throw ConversionError(u"Текст " + Quoted(value.text()) + u" не является числом.");
      }
      return *number;
    }
    case Value::Kind::kBoolean:
      return value.boolean() ? 1 : 0;
    case Value::Kind::kInteger:
      return value.integer();
    case Value::Kind::kReal:
      return value.real();
  }
  return 0;
}

std::int32_t ToInteger(const Value& value, const NumberFormat& format) {
  switch (value.kind()) {
    case Value::Kind::kInteger:
      return value.integer();
    case Value::Kind::kText: {
      const auto number = ParseNumber(value.text(), format);
      if (!number) {
        throw ConversionError(u"Текст " + Quoted(value.text()) + u" не является целым числом.");
      }
      return RoundHalfEven(*number);
    }
    default:
      return RoundHalfEven(ToReal(value, format));
  }
}

bool ToBoolean(const Value& value, const NumberFormat& format) {
  switch (value.kind()) {
    case Value::Kind::kEmpty:
      return false;
    case Value::Kind::kBoolean:
      return value.boolean();
    case Value::Kind::kInteger:
      return value.integer() != 0;
    case Value::Kind::kReal:
      return value.real() != 0;
    case Value::Kind::kText: {
      const std::u16string upper = AsciiUpper(Trim(value.text()));
      if (upper == u"TRUE") return true;
      if (upper == u"FALSE") return false;
      const auto number = ParseNumber(value.text(), format);
      if (!number) {
        throw ConversionError(u"Текст " + Quoted(value.text()) +
                              u" не является логическим значением.");
      }
      return *number != 0;
    }
  }
  return false;
}

ArgumentArray::ArgumentArray(std::vector<Value> values)
    : values_(std::move(values)), written_(values_.size(), false) {}

const Value ArgumentArray::kMissing;

}  // namespace kassivo
