// Driver argument values and the argument array.
//
// A Value is one of the five kinds the driver reads and writes: empty, text,
// boolean, 32-bit integer, double. The conversions follow the driver's
// reading rules:
//
//   needed   from text                      from number            from bool   from empty
//   text     unchanged                      its decimal text       True/False  ""
//   integer  the number the text spells,    real rounded half to   1 / 0       0
//            rounded half to even           even
//   boolean  True/False in any case, or a   non-zero is true       unchanged   false
//            number (non-zero is true)
//   real     the number the text spells     unchanged              1 / 0       0
//
// A conversion that cannot be made (a text that spells no number, a real
// outside the 32-bit range or not finite) throws ConversionError, whose
// message names the value; the dispatcher turns it into a false result.
//
// ArgumentArray stands for the host's one-dimensional array of values: a read
// of a missing element gives empty, a write to a missing element is dropped,
// and it remembers which elements a call wrote.
#pragma once

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "common/number_format.h"

namespace kassivo {

// An error whose message is meant for LastErrorText.
class DriverError : public std::runtime_error {
 public:
  explicit DriverError(std::u16string message);
  const std::u16string& message() const { return message_; }

 private:
  std::u16string message_;
};

class ConversionError : public DriverError {
 public:
  using DriverError::DriverError;
};

class Value {
 public:
  enum class Kind { kEmpty, kText, kBoolean, kInteger, kReal };

  Value() noexcept : kind_(Kind::kEmpty), scalar_{} {}
  Value(const Value& other) : kind_(other.kind_) {
    if (kind_ == Kind::kText) {
      new (&text_) std::u16string(other.text_);
    } else {
      new (&scalar_) Scalar(other.scalar_);
    }
  }
  Value(Value&& other) noexcept : kind_(other.kind_) {
    if (kind_ == Kind::kText) {
      new (&text_) std::u16string(std::move(other.text_));
    } else {
      new (&scalar_) Scalar(other.scalar_);
    }
  }
  ~Value() {
    if (kind_ == Kind::kText) text_.~basic_string();
  }
  // Scalars are assigned inline (a text they replace is freed out of line),
  // texts out of line. Copy assignment leaves this value unchanged when
  // copying the text throws.
  Value& operator=(const Value& other) {
    if (other.kind_ == Kind::kText) {
      AssignText(other.text_);
    } else {
      AssignScalar(other.kind_, other.scalar_);
    }
    return *this;
  }
  Value& operator=(Value&& other) noexcept {
    if (other.kind_ == Kind::kText) {
      AssignText(std::move(other.text_));
    } else {
      AssignScalar(other.kind_, other.scalar_);
    }
    return *this;
  }

  // Inline: the dispatcher builds one or two of these on every call.
  static Value Text(std::u16string text) {
    Value value;
    new (&value.text_) std::u16string(std::move(text));
    value.kind_ = Kind::kText;
    return value;
  }
  static Value Boolean(bool value) { return Value(Kind::kBoolean, Scalar{.boolean = value}); }
  static Value Integer(std::int32_t value) {
    return Value(Kind::kInteger, Scalar{.integer = value});
  }
  static Value Real(double value) { return Value(Kind::kReal, Scalar{.real = value}); }

  Kind kind() const { return kind_; }
  bool is_empty() const { return kind_ == Kind::kEmpty; }

  // Direct access; valid only for the matching kind (checked: a mismatch
  // throws std::bad_variant_access).
  // On a temporary the text is moved out, so that neither a copy is made nor
  // a reference into the temporary is left.
  const std::u16string& text() const& {
    Expect(Kind::kText);
    return text_;
  }
  std::u16string text() && {
    Expect(Kind::kText);
    return std::move(text_);
  }
  bool boolean() const {
    Expect(Kind::kBoolean);
    return scalar_.boolean;
  }
  std::int32_t integer() const {
    Expect(Kind::kInteger);
    return scalar_.integer;
  }
  double real() const {
    Expect(Kind::kReal);
    return scalar_.real;
  }

  // Same kind and same content; reals compare as doubles (NaN never equal).
  bool operator==(const Value& other) const;

 private:
  union Scalar {
    bool boolean;
    std::int32_t integer;
    double real;
  };

  Value(Kind kind, Scalar scalar) noexcept : kind_(kind), scalar_(scalar) {}

  void AssignScalar(Kind kind, Scalar scalar) noexcept {
    if (kind_ == Kind::kText) FreeText();
    kind_ = kind;
    scalar_ = scalar;
  }
  void FreeText() noexcept;
  void AssignText(const std::u16string& text);
  void AssignText(std::u16string&& text) noexcept;
  void Expect(Kind kind) const {
    if (kind_ != kind) ThrowWrongKind();
  }
  [[noreturn]] static void ThrowWrongKind();

  Kind kind_;
  // scalar_ is the live member for every kind but kText.
  union {
    Scalar scalar_;
    std::u16string text_;
  };
};

std::u16string ToText(const Value& value, const NumberFormat& format);
// The same; a text value's own text is moved, not copied.
std::u16string ToText(Value&& value, const NumberFormat& format);
std::int32_t ToInteger(const Value& value, const NumberFormat& format);
bool ToBoolean(const Value& value, const NumberFormat& format);
double ToReal(const Value& value, const NumberFormat& format);

// Rounds to the nearest 32-bit integer, an exact half to the even neighbour;
// throws ConversionError when not finite or out of range.
std::int32_t RoundHalfEven(double value);

class ArgumentArray {
 public:
  ArgumentArray() = default;
  explicit ArgumentArray(std::vector<Value> values);

  std::size_t size() const { return values_.size(); }
  // A copy of element `index`; empty when the array has no such element.
  Value Get(std::int64_t index) const { return At(index); }
  // The element itself, or an empty value when there is no such element;
  // valid until the element is next written.
  const Value& At(std::int64_t index) const {
    return Has(index) ? values_[static_cast<std::size_t>(index)] : kMissing;
  }
  // Stores a copy into element `index`; dropped when there is no such element.
  void Put(std::int64_t index, Value value) {
    if (!Has(index)) return;
    values_[static_cast<std::size_t>(index)] = std::move(value);
    written_[static_cast<std::size_t>(index)] = true;
  }
  bool WasWritten(std::int64_t index) const {
    return Has(index) && written_[static_cast<std::size_t>(index)];
  }

  const std::vector<Value>& values() const { return values_; }

 private:
  static const Value kMissing;
  bool Has(std::int64_t index) const {
    return index >= 0 && static_cast<std::uint64_t>(index) < values_.size();
  }

  std::vector<Value> values_;
  std::vector<std::uint8_t> written_;  // bytes: set on every Put
};

}  // namespace kassivo
