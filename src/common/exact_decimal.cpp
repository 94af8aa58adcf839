#include "common/exact_decimal.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

#include "common/powers_of_ten.h"

namespace kassivo {

namespace {

// An unsigned 128-bit integer in two halves, with the few operations the
// decimals need; multiplication and division go through 32-bit pieces, so
// they need no 128-bit type of the compiler's.
struct U128 {
  std::uint64_t high = 0;
  std::uint64_t low = 0;

  bool IsZero() const { return high == 0 && low == 0; }
};

constexpr std::uint32_t kBillion = 1000000000u;

std::strong_ordering CompareU(const U128& a, const U128& b) {
  if (a.high != b.high) return a.high <=> b.high;
  return a.low <=> b.low;
}

// a += b; false on overflow.
bool AddU(U128& a, const U128& b) {
  const std::uint64_t low = a.low + b.low;
  const std::uint64_t carry = low < a.low ? 1 : 0;
  const std::uint64_t high = a.high + b.high + carry;
  if (high < a.high || (high == a.high && (b.high != 0 || carry != 0))) return false;
  a = {high, low};
  return true;
}

// a - b, for a >= b.
U128 SubtractU(const U128& a, const U128& b) {
  return {a.high - b.high - (a.low < b.low ? 1 : 0), a.low - b.low};
}

constexpr int kMaxPower64 = 19;

// The full product of two 64-bit integers: one instruction where the
// compiler has a 128-bit type, 32-bit pieces elsewhere (the 32-bit build).
#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Wide;
#endif
U128 Product64(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__)
  const Wide product = static_cast<Wide>(a) * b;
  return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
  const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
  const std::uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & 0xFFFFFFFFu)};
#endif
}

// a * b; false on overflow.
bool MultiplyU(const U128& a, const U128& b, U128& product) {
  if (a.high != 0 && b.high != 0) return false;
  product = Product64(a.low, b.low);
  if (a.high == 0 && b.high == 0) return true;
  const U128 cross = a.high != 0 ? Product64(a.high, b.low) : Product64(a.low, b.high);
  return cross.high == 0 && AddU(product, U128{cross.low, 0});
}

// a *= 10^power; false on overflow.
bool ScaleUp(U128& a, int power) {
  while (power > 0) {
    const int step = std::min(power, kMaxPower64);
    U128 product;
    if (!MultiplyU(a, U128{0, kPowersOf10[step]}, product)) return false;
    a = product;
    power -= step;
  }
  return true;
}

// a /= divisor (below 2^32), rounding down; answers the remainder.
std::uint32_t DivideSmall(U128& a, std::uint32_t divisor) {
  if (a.high == 0) {
    const std::uint64_t remainder = a.low % divisor;
    a.low /= divisor;
    return static_cast<std::uint32_t>(remainder);
  }
  std::uint64_t remainder = 0;
  std::uint64_t pieces[4] = {a.high >> 32, a.high & 0xFFFFFFFFu, a.low >> 32, a.low & 0xFFFFFFFFu};
  for (std::uint64_t& piece : pieces) {
    const std::uint64_t current = (remainder << 32) | piece;
    piece = current / divisor;
    remainder = current % divisor;
  }
  a = {(pieces[0] << 32) | pieces[1], (pieces[2] << 32) | pieces[3]};
  return static_cast<std::uint32_t>(remainder);
}

// a /= 10^power, rounding down.
void ScaleDown(U128& a, int power) {
  while (power > 0) {
    if (a.high == 0) {
      a.low = power > kMaxPower64 ? 0 : a.low / kPowersOf10[power];
      return;
    }
    const int step = std::min(power, 9);
    DivideSmall(a, static_cast<std::uint32_t>(kPowersOf10[step]));
    power -= step;
  }
}

}  // namespace

// The decimals' own access to their parts.
class ExactDecimalArithmetic {
 public:
  static U128 Magnitude(const ExactDecimal& d) { return {d.high_, d.low_}; }
  static ExactDecimal Make(bool negative, const U128& magnitude, int scale) {
    ExactDecimal d;
    d.negative_ = negative && !magnitude.IsZero();
    d.high_ = magnitude.high;
    d.low_ = magnitude.low;
    d.scale_ = scale;
    return d;
  }
  // Both magnitudes at the larger scale; false when one does not fit.
  static bool Align(const ExactDecimal& a, const ExactDecimal& b, U128& ma, U128& mb, int& scale) {
    scale = std::max(a.scale_, b.scale_);
    ma = Magnitude(a);
    mb = Magnitude(b);
    return ScaleUp(ma, scale - a.scale_) && ScaleUp(mb, scale - b.scale_);
  }
};

using Arithmetic = ExactDecimalArithmetic;

ExactDecimal ExactDecimal::FromUnits(bool negative, std::uint64_t magnitude, int scale) {
  return Arithmetic::Make(negative, U128{0, magnitude}, std::clamp(scale, 0, kMaxScale));
}

std::optional<ExactDecimal> ExactDecimal::FromDouble(double value, int decimals) {
  if (!std::isfinite(value) || decimals < 0 || decimals > kMaxReadScale) return std::nullopt;
  char buffer[400];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (written.ec != std::errc()) return std::nullopt;
  std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
  // Cut after `decimals` decimals; the first digit cut decides the rounding.
  bool round_up = false;
  if (const std::size_t point = text.find('.'); point != std::string_view::npos) {
    const std::size_t keep = point + 1 + static_cast<std::size_t>(decimals);
    if (keep < text.size()) {
      round_up = text[keep] >= '5';
      text = text.substr(0, keep);
    }
  }
  std::optional<ExactDecimal> result =
      ParseExactDecimal(std::u16string(text.begin(), text.end()), NumberFormat{u".", u""});
  if (result && round_up) {
    const ExactDecimal unit = FromUnits(text.front() == '-', 1, decimals);
    result = Add(*result, unit);
  }
  return result;
}

ExactDecimal ExactDecimal::Negated() const {
  return Arithmetic::Make(!negative_, Arithmetic::Magnitude(*this), scale_);
}

std::optional<ExactDecimal> Add(const ExactDecimal& a, const ExactDecimal& b) {
  // Most sums: two 64-bit magnitudes of one sign and scale.
  if (a.high_ == 0 && b.high_ == 0 && a.scale_ == b.scale_ && a.negative_ == b.negative_) {
    const std::uint64_t low = a.low_ + b.low_;
    return Arithmetic::Make(a.negative_, U128{low < a.low_ ? 1u : 0u, low}, a.scale_);
  }
  U128 ma, mb;
  int scale = 0;
  if (!Arithmetic::Align(a, b, ma, mb, scale)) return std::nullopt;
  if (a.negative_ == b.negative_) {
    if (!AddU(ma, mb)) return std::nullopt;
    return Arithmetic::Make(a.negative_, ma, scale);
  }
  if (CompareU(ma, mb) >= 0) return Arithmetic::Make(a.negative_, SubtractU(ma, mb), scale);
  return Arithmetic::Make(b.negative_, SubtractU(mb, ma), scale);
}

std::optional<ExactDecimal> Subtract(const ExactDecimal& a, const ExactDecimal& b) {
  return Add(a, b.Negated());
}

std::optional<ExactDecimal> Multiply(const ExactDecimal& a, const ExactDecimal& b) {
  const int scale = a.scale_ + b.scale_;
  U128 product;
  if (scale > ExactDecimal::kMaxScale ||
      !MultiplyU(Arithmetic::Magnitude(a), Arithmetic::Magnitude(b), product)) {
    return std::nullopt;
  }
  return Arithmetic::Make(a.negative_ != b.negative_, product, scale);
}

std::optional<ExactDecimal> ExactDecimal::RoundedTo(int decimals) const {
  U128 magnitude = Arithmetic::Magnitude(*this);
  if (decimals < 0 || decimals > kMaxScale) return std::nullopt;
  if (decimals >= scale_) {
    if (!ScaleUp(magnitude, decimals - scale_)) return std::nullopt;
    return Arithmetic::Make(negative_, magnitude, decimals);
  }
  // Down to one decimal more than wanted; that decimal decides.
  ScaleDown(magnitude, scale_ - decimals - 1);
  const std::uint32_t last = DivideSmall(magnitude, 10);
  if (last >= 5 && !AddU(magnitude, U128{0, 1})) return std::nullopt;
  return Arithmetic::Make(negative_, magnitude, decimals);
}

std::optional<ExactDecimal> ExactDecimal::Share(std::uint32_t numerator, std::uint32_t denominator,
                                                int decimals) const {
  if (denominator == 0 || decimals < 0 || decimals > kMaxScale) return std::nullopt;
  // round(v) = floor((floor(2v) + 1) / 2) for v >= 0, with
  // 2v = 2 x magnitude x numerator x 10^decimals / (10^scale x denominator).
  U128 twice;
  if (!MultiplyU(Arithmetic::Magnitude(*this), U128{0, 2ull * numerator}, twice) ||
      !ScaleUp(twice, decimals)) {
    return std::nullopt;
  }
  ScaleDown(twice, scale_);
  DivideSmall(twice, denominator);
  if (!AddU(twice, U128{0, 1})) return std::nullopt;
  DivideSmall(twice, 2);
  return Arithmetic::Make(negative_, twice, decimals);
}

std::strong_ordering Compare(const ExactDecimal& a, const ExactDecimal& b) {
  if (a.negative_ != b.negative_) {
    return a.negative_ ? std::strong_ordering::less : std::strong_ordering::greater;
  }
  U128 ma = Arithmetic::Magnitude(a);
  U128 mb = Arithmetic::Magnitude(b);
  // A magnitude that does not fit at the other's scale is the larger one.
  std::strong_ordering order = std::strong_ordering::equal;
  if (a.scale_ < b.scale_ && !ScaleUp(ma, b.scale_ - a.scale_)) {
    order = std::strong_ordering::greater;
  } else if (b.scale_ < a.scale_ && !ScaleUp(mb, a.scale_ - b.scale_)) {
    order = std::strong_ordering::less;
  } else {
    order = CompareU(ma, mb);
  }
  if (!a.negative_) return order;
  return order == std::strong_ordering::less      ? std::strong_ordering::greater
         : order == std::strong_ordering::greater ? std::strong_ordering::less
                                                  : order;
}

bool WithinTolerance(const ExactDecimal& a, const ExactDecimal& b, const ExactDecimal& tolerance) {
  U128 ma, mb;
  int scale = 0;
  if (!Arithmetic::Align(a, b, ma, mb, scale)) return false;
  U128 distance = ma;
  if (a.IsNegative() != b.IsNegative()) {
    if (!AddU(distance, mb)) return false;
  } else {
    distance = CompareU(ma, mb) >= 0 ? SubtractU(ma, mb) : SubtractU(mb, ma);
  }
  return Arithmetic::Make(false, distance, scale) <= tolerance;
}

std::optional<double> ExactDecimal::NearestDouble() const {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
  constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
  if (high_ != 0 || low_ == 0 || low_ > kExactLimit || scale_ > 22) return std::nullopt;
  constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const double value = static_cast<double>(low_) / kPowers[scale_];
  return negative_ ? -value : value;
#else
  return std::nullopt;
#endif
}

std::u16string ExactDecimal::Format(int min_decimals, const NumberFormat& format) const {
  // The magnitude's digits, least significant first.
  std::u16string digits;
  U128 rest = Arithmetic::Magnitude(*this);
  do {
    std::uint32_t chunk = DivideSmall(rest, kBillion);
    for (int i = 0; i < 9; ++i) {
      digits.push_back(static_cast<char16_t>(u'0' + chunk % 10));
      chunk /= 10;
    }
  } while (!rest.IsZero());
  const std::size_t scale = static_cast<std::size_t>(scale_);
  while (digits.size() < scale + 1) digits.push_back(u'0');
  while (digits.size() > scale + 1 && digits.back() == u'0') digits.pop_back();
  // The decimals shown: up to the last non-zero one, at least `min_decimals`.
  std::size_t significant = scale;
  while (significant > 0 && digits[scale - significant] == u'0') --significant;
  const std::size_t shown =
      std::max(significant, static_cast<std::size_t>(std::max(min_decimals, 0)));
  std::u16string out;
  if (negative_) out.push_back(u'-');
  const std::size_t integer_digits = digits.size() - scale;
  for (std::size_t i = 0; i < integer_digits; ++i) {
    out.push_back(digits[digits.size() - 1 - i]);
    const std::size_t left = integer_digits - 1 - i;
    if (left > 0 && left % 3 == 0) out.append(format.thousands_separator);
  }
  if (shown == 0) return out;
  out.append(format.decimal_separator);
  for (std::size_t i = 0; i < shown; ++i) out.push_back(i < scale ? digits[scale - 1 - i] : u'0');
  return out;
}

}  // namespace kassivo
