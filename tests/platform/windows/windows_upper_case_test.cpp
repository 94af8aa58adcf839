#include "platform/windows/windows_upper_case.h"

#include <gtest/gtest.h>

namespace kassivo {
namespace {

TEST(WindowsUpperCaserTest, CyrillicAndLatinOneUnitForOne) {
  const WindowsUpperCaser upper;
  EXPECT_EQ(upper.ToUpper(u"ооо ромашка, ёлка"), u"ООО РОМАШКА, ЁЛКА");
  EXPECT_EQ(upper.ToUpper(u"\u00A0x1!"), u"\u00A0X1!");
  EXPECT_EQ(upper.ToUpper(u""), u"");
  const std::u16string mixed = u"straße";
  EXPECT_EQ(upper.ToUpper(mixed).size(), mixed.size());
  EXPECT_EQ(upper.ToUpper(mixed).substr(0, 4), u"STRA");
}

}  // namespace
}  // namespace kassivo
