#include "platform/icu_upper_case.h"

#include <gtest/gtest.h>

namespace kassivo {
namespace {

TEST(IcuUpperCaserTest, FullMappingOfCyrillicAndLatin) {
  const IcuUpperCaser upper;
  EXPECT_EQ(upper.ToUpper(u"ооо ромашка, ёлка"), u"ООО РОМАШКА, ЁЛКА");
  EXPECT_EQ(upper.ToUpper(u"straße"), u"STRASSE");  // one letter becomes two
  EXPECT_EQ(upper.ToUpper(u"\u00A0x1!"), u"\u00A0X1!");
  EXPECT_EQ(upper.ToUpper(u""), u"");
  // A lone surrogate is kept as it is, not dropped or crashed on.
  EXPECT_EQ(upper.ToUpper(std::u16string(1, u'\xD800') + u"a"),
            std::u16string(1, u'\xD800') + u"A");
}

}  // namespace
}  // namespace kassivo
