// Exact decimals against arbitrary-precision arithmetic: random amounts up to
// 2^48 - 1 kopecks (and some below the kopeck), quantities with up to six
// decimals, and the rules' own tests (price x quantity, payments against the
// total, the VAT share) on them, with amounts placed at and around every
// tolerance's edge.
#include "common/exact_decimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/text.h"
#include "rules/payment_rules.h"
#include "rules/position_rules.h"

namespace kassivo::testing {
namespace {

// An unsigned integer of any size: base 10^9 pieces, least significant first.
using Big = std::vector<std::uint32_t>;
constexpr std::uint64_t kBase = 1000000000;

void Trim(Big& a) {
  while (!a.empty() && a.back() == 0) a.pop_back();
}

int CompareBig(const Big& a, const Big& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

Big AddBig(const Big& a, const Big& b) {
  Big sum;
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
    carry += (i < a.size() ? a[i] : 0) + std::uint64_t{i < b.size() ? b[i] : 0};
    sum.push_back(static_cast<std::uint32_t>(carry % kBase));
    carry /= kBase;
  }
  Trim(sum);
  return sum;
}

// a - b for a >= b.
Big SubtractBig(const Big& a, const Big& b) {
  Big difference;
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::int64_t piece = std::int64_t{a[i]} - borrow - (i < b.size() ? b[i] : 0);
    borrow = piece < 0 ? 1 : 0;
    difference.push_back(static_cast<std::uint32_t>(piece + borrow * std::int64_t{kBase}));
  }
  Trim(difference);
  return difference;
}

Big MultiplyBig(const Big& a, const Big& b) {
  std::vector<std::uint64_t> wide(a.size() + b.size() + 1, 0);
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < b.size() || carry; ++j) {
      carry += wide[i + j] + (j < b.size() ? std::uint64_t{a[i]} * b[j] : 0);
      wide[i + j] = carry % kBase;
      carry /= kBase;
    }
  }
  Big product(wide.begin(), wide.end());
  Trim(product);
  return product;
}

const Big& Power10(int power) {
  static std::vector<Big> powers{Big{1}};
  while (powers.size() <= std::size_t(power)) powers.push_back(MultiplyBig(powers.back(), Big{10}));
  return powers[std::size_t(power)];
}

// a / d, rounding down, for d below 10^9.
Big DivideBig(const Big& a, std::uint32_t d) {
  Big quotient(a.size());
  std::uint64_t remainder = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    remainder = remainder * kBase + a[i];
    quotient[i] = static_cast<std::uint32_t>(remainder / d);
    remainder %= d;
  }
  Trim(quotient);
  return quotient;
}

// A signed decimal of any size: ±magnitude x 10^-scale.
struct Reference {
  bool negative = false;
  Big magnitude;
  int scale = 0;
};

Reference ReferenceOf(const std::string& text) {
  Reference r;
  std::size_t i = 0;
  if (text[i] == '-') r.negative = true, ++i;
  for (; i < text.size(); ++i) {
    if (text[i] == '.') {
      r.scale = static_cast<int>(text.size() - i - 1);
      continue;
    }
    r.magnitude = AddBig(MultiplyBig(r.magnitude, Big{10}), Big{std::uint32_t(text[i] - '0')});
  }
  return r;
}

Reference AtScale(Reference r, int scale) {
  r.magnitude = MultiplyBig(r.magnitude, Power10(scale - r.scale));
  r.scale = scale;
  return r;
}

Reference Plus(Reference a, Reference b) {
  const int scale = std::max(a.scale, b.scale);
  a = AtScale(a, scale);
  b = AtScale(b, scale);
  if (a.negative == b.negative) return {a.negative, AddBig(a.magnitude, b.magnitude), scale};
  if (CompareBig(a.magnitude, b.magnitude) >= 0) {
    return {a.negative, SubtractBig(a.magnitude, b.magnitude), scale};
  }
  return {b.negative, SubtractBig(b.magnitude, a.magnitude), scale};
}

Reference Minus(const Reference& a, Reference b) {
  b.negative = !b.negative;
  return Plus(a, b);
}

// a <= b
bool AtMost(const Reference& a, const Reference& b) {
  const Reference d = Minus(b, a);
  return !d.negative || d.magnitude.empty();
}

Reference Absolute(Reference r) {
  r.negative = false;
  return r;
}

// Halves away from zero, to `decimals`, for a value at a larger scale.
Reference Rounded(const Reference& r, int decimals) {
  if (r.scale <= decimals) return AtScale(r, decimals);
  const Big& unit = Power10(r.scale - decimals);
  Big quotient = r.magnitude;
  for (int i = decimals; i < r.scale; ++i) quotient = DivideBig(quotient, 10);
  const Big remainder = SubtractBig(r.magnitude, MultiplyBig(quotient, unit));
  if (CompareBig(AddBig(remainder, remainder), unit) >= 0) quotient = AddBig(quotient, Big{1});
  return {r.negative, quotient, decimals};
}

std::string TextOf(const Reference& r) {
  std::string digits;
  Big rest = r.magnitude;
  while (!rest.empty()) {
    const Big next = DivideBig(rest, 10);
    digits.insert(digits.begin(), char('0' + (rest[0] - (next.empty() ? 0 : next[0] * 10u))));
    rest = next;
  }
  while (digits.size() < std::size_t(r.scale) + 1) digits.insert(digits.begin(), '0');
  if (r.scale > 0) digits.insert(digits.size() - r.scale, ".");
  const bool zero = r.magnitude.empty();
  return (r.negative && !zero ? "-" : "") + digits;
}

// Random texts: an amount of kopecks below 2^48 (or `limit`) with up to two
// more decimals, a quantity below 10^6 with up to six.
class Texts {
 public:
  std::string Money(std::uint64_t limit = std::uint64_t{1} << 48) {
    const std::uint64_t kopecks = Below(limit);
    std::string text = std::to_string(kopecks / 100) + "." + char('0' + kopecks / 10 % 10) +
                       char('0' + kopecks % 10);
    for (std::uint64_t extra = Below(3); extra > 0; --extra) text += char('0' + Below(10));
    return text;
  }
  std::string Quantity() {
    std::string text = std::to_string(Below(1000000));
    const std::uint64_t decimals = Below(7);
    if (decimals > 0) text += '.';
    for (std::uint64_t i = 0; i < decimals; ++i) text += char('0' + Below(10));
    return text;
  }
  std::uint64_t Below(std::uint64_t limit) { return random_() % limit; }

 private:
  std::mt19937_64 random_{20240305};
};

ExactDecimal Read(const std::string& text) {
  const std::optional<ExactDecimal> value = ParseExactDecimal(FromUtf8(text), NumberFormat{});
  EXPECT_TRUE(value) << text;
  return value.value_or(ExactDecimal());
}

std::string Plain(const ExactDecimal& value) {
  return ToUtf8(value.Format(0, NumberFormat{u".", u""}));
}

// The reference's text without the zeros that end its decimals.
std::string Plain(const Reference& r) {
  std::string text = TextOf(r);
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// Values placed around `edge` (a reference), at the edge's own digits.
std::vector<std::string> Around(const Reference& edge, Texts& texts) {
  std::vector<std::string> near;
  for (const char* offset : {"0", "0.005", "-0.005", "0.01", "-0.01", "0.02", "-0.02", "0.0101",
                             "-0.0101", "0.0051", "-0.0051", "0.0001"}) {
    near.push_back(TextOf(Plus(edge, ReferenceOf(offset))));
  }
  near.push_back(texts.Money());
  return near;
}

TEST(ExactDecimal, RulesArithmeticEqualsArbitraryPrecision) {
  Texts texts;
  const Reference kopeck = ReferenceOf("0.01");
  const Reference half_kopeck = ReferenceOf("0.005");
  for (int round = 0; round < 200; ++round) {
    // The amount, price x quantity, stays within the limit too.
    const std::string quantity = texts.Quantity();
    const std::uint64_t whole = std::stoull(quantity) + 1;
    const std::string price = texts.Money((std::uint64_t{1} << 48) / whole);
    const Reference product = [&] {
      const Reference p = ReferenceOf(price), q = ReferenceOf(quantity);
      return Reference{false, MultiplyBig(p.magnitude, q.magnitude), p.scale + q.scale};
    }();
    const Reference expected = Rounded(product, 2);
    ASSERT_EQ(Plain(*Multiply(Read(price), Read(quantity))), Plain(product)) << price << quantity;
    for (const std::string& amount : Around(expected, texts)) {
      if (amount[0] == '-') continue;
      const bool held = AtMost(Absolute(Minus(ReferenceOf(amount), expected)), kopeck);
      EXPECT_EQ(AmountIsPriceTimesQuantity(Read(price), Read(quantity), Read(amount)), held)
          << price << " x " << quantity << " = " << amount;
      for (const std::uint32_t r : {0u, 5u, 7u, 10u, 20u, 22u}) {
        // amount x r / (100 + r) cut after 40 more decimals rounds as the
        // exact quotient does, which is never nearer a half than
        // 1 / ((100 + r) x 10^scale) without being on it.
        Reference wide = AtScale(ReferenceOf(amount), ReferenceOf(amount).scale + 40);
        wide.magnitude = DivideBig(MultiplyBig(wide.magnitude, Big{r}), 100 + r);
        EXPECT_EQ(Plain(*Read(amount).Share(r, 100 + r, 2)), Plain(Rounded(wide, 2)))
            << amount << " at " << r;
      }
    }
    // A total of up to five amounts within the limit, and payments around it.
    Reference total;
    ExactDecimal sum;
    for (std::uint64_t n = 1 + texts.Below(5); n > 0; --n) {
      const std::string amount = texts.Money((std::uint64_t{1} << 48) / 5);
      total = Plus(total, ReferenceOf(amount));
      sum = *Add(sum, Read(amount));
    }
    ASSERT_EQ(Plain(sum), Plain(total));
    for (const std::string& paid : Around(total, texts)) {
      if (paid[0] == '-') continue;
      EXPECT_EQ(PaymentCoversTotal(Read(paid), sum),
                AtMost(Minus(total, ReferenceOf(paid)), half_kopeck))
          << paid << " for " << TextOf(total);
      EXPECT_EQ(CashlessWithinTotal(Read(paid), sum),
                AtMost(Minus(ReferenceOf(paid), total), half_kopeck))
          << paid << " for " << TextOf(total);
      EXPECT_EQ(Read(paid) < sum, !AtMost(total, ReferenceOf(paid)));
    }
  }
}

TEST(ExactDecimal, ReadsTheDigitsAsWrittenAndFormatsThem) {
  const NumberFormat comma{u",", u"\u00A0"};
  EXPECT_EQ(ParseExactDecimal(u" 1.005 ", comma)->Format(2, comma), u"1,005");
  EXPECT_EQ(ParseExactDecimal(u"15000000000,00", comma)->Format(2, comma),
            u"15\u00A0000\u00A0000\u00A0000,00");
  EXPECT_EQ(ParseExactDecimal(u"-2.5e-3", NumberFormat{})->Format(2, NumberFormat{}), u"-0.0025");
  EXPECT_EQ(ParseExactDecimal(u"-0.000", NumberFormat{})->Format(2, NumberFormat{}), u"0.00");
  for (const std::u16string_view text :
       {u"NaN", u"inf", u"abc", u"1,5.0", u"1e", u"0x10", u"", u"18446744073709551616", u"1e-19"}) {
    EXPECT_FALSE(ParseExactDecimal(text, NumberFormat{})) << ToUtf8(text);
  }
  EXPECT_EQ(ExactDecimal::FromDouble(-0.005, 2)->Format(2, NumberFormat{}), u"-0.01");
  EXPECT_EQ(ExactDecimal::FromDouble(6e9, 2)->Format(0, NumberFormat{u".", u""}), u"6000000000");
  EXPECT_EQ(ExactDecimal::FromDouble(0.1 + 0.2, 2)->Format(2, NumberFormat{}), u"0.30");
  EXPECT_FALSE(ExactDecimal::FromDouble(1e300, 2));
}

}  // namespace
}  // namespace kassivo::testing
