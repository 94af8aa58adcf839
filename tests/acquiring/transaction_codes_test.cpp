#include "acquiring/transaction_codes.h"

#include <gtest/gtest.h>

namespace kassivo {
namespace {

TEST(TransactionCodes, MillisecondHasNoLeadingZeros) {
  struct Case {
    LocalDateTime time;
    const char16_t* rrn;
    const char16_t* code;
  };
  const Case cases[] = {
      {{2024, 3, 5, 9, 7, 4, 56}, u"2024030509070456", u"560407"},
      {{2024, 3, 5, 9, 7, 4, 5}, u"202403050907045", u"50407"},
      {{2024, 3, 5, 9, 7, 4, 0}, u"202403050907040", u"00407"},
      {{2024, 12, 31, 23, 59, 58, 999}, u"20241231235958999", u"9995859"},
      {{987, 1, 2, 0, 0, 0, 100}, u"09870102000000100", u"1000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RRNCode(c.time), c.rrn);
    EXPECT_EQ(AuthorizationCode(c.time), c.code);
  }
}

}  // namespace
}  // namespace kassivo
