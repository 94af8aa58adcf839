#include "acquiring/card_threshold.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace kassivo {
namespace {

TEST(CardThreshold, ApprovesOnlyMagnitudesStrictlyBelow) {
  EXPECT_TRUE(ApprovesCardAmount(99.99, 100));
  EXPECT_FALSE(ApprovesCardAmount(100, 100));
  EXPECT_FALSE(ApprovesCardAmount(100.01, 100));
  EXPECT_TRUE(ApprovesCardAmount(-99.99, 100));
  EXPECT_FALSE(ApprovesCardAmount(-100, 100));
  EXPECT_TRUE(ApprovesCardAmount(0, 100));
  EXPECT_TRUE(ApprovesCardAmount(-0.0, 1));
  EXPECT_FALSE(ApprovesCardAmount(0, 0));
  EXPECT_FALSE(ApprovesCardAmount(0, -5));
  EXPECT_FALSE(ApprovesCardAmount(-6, -5));
  EXPECT_TRUE(ApprovesCardAmount(2147483646.5, std::numeric_limits<std::int32_t>::max()));
}

TEST(CardThreshold, NonFiniteAmountsAreDeclined) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  for (const std::int32_t threshold : {0, 100, std::numeric_limits<std::int32_t>::max(),
                                       std::numeric_limits<std::int32_t>::min()}) {
    EXPECT_FALSE(ApprovesCardAmount(kInf, threshold));
    EXPECT_FALSE(ApprovesCardAmount(-kInf, threshold));
    EXPECT_FALSE(ApprovesCardAmount(kNaN, threshold));
    EXPECT_FALSE(ApprovesCardAmount(-kNaN, threshold));
  }
}

}  // namespace
}  // namespace kassivo
