#include "rules/inn.h"

#include <gtest/gtest.h>

#include <string>

namespace kassivo {
namespace {

// Any other check digit breaks a valid number.
void ExpectCheckDigitsMatter(const std::u16string& valid, std::size_t check_digits,
                             bool (*is_valid)(std::u16string_view)) {
  ASSERT_TRUE(is_valid(valid));
  for (std::size_t i = valid.size() - check_digits; i < valid.size(); ++i) {
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
      if (digit == valid[i]) continue;
      std::u16string changed = valid;
      changed[i] = digit;
      EXPECT_FALSE(is_valid(changed)) << i << ' ' << static_cast<char>(digit);
    }
  }
}

TEST(Inn, CheckDigitsOfTenAndTwelveDigitNumbers) {
  ExpectCheckDigitsMatter(u"7700000009", 1, IsValidInn10);
  ExpectCheckDigitsMatter(u"6950000000", 1, IsValidInn10);
  ExpectCheckDigitsMatter(u"7799000012", 1, IsValidInn10);
  ExpectCheckDigitsMatter(u"770300112220", 2, IsValidInn12);
  ExpectCheckDigitsMatter(u"504000000072", 2, IsValidInn12);
  // Digits swapped or changed before the check digits.
  EXPECT_FALSE(IsValidInn10(u"7799000102"));
  EXPECT_FALSE(IsValidInn10(u"7799000011"));
  EXPECT_FALSE(IsValidInn12(u"770300112233"));
  EXPECT_FALSE(IsValidInn12(u"771234567890"));
  EXPECT_FALSE(IsValidInn12(u"504000000001"));
}

TEST(Inn, OtherLengthsAndCharactersAreNotNumbers) {
  EXPECT_FALSE(IsValidInn10(u""));
  EXPECT_FALSE(IsValidInn10(u"770000000"));
  EXPECT_FALSE(IsValidInn10(u"770300112220"));
  EXPECT_FALSE(IsValidInn12(u"7700000009"));
  EXPECT_FALSE(IsValidInn10(u"77000000 9"));
  EXPECT_FALSE(IsValidInn10(u"77000000０9"));  // a full-width digit
  EXPECT_FALSE(IsValidInn12(u"770300112220 "));
}

}  // namespace
}  // namespace kassivo
