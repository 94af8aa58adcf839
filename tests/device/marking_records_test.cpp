// The marking records' code table as it grows: every code requested is
// found, with its own record, however many share their first units; a code
// that differs by a trailing space or a unit more is another code.
#include "device/marking_records.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text.h"

namespace kassivo::testing {
namespace {

TEST(MarkingRecords, EveryCodeFoundAsSentThroughGrowth) {
  MarkingRecords records;
  const std::u16string prefix(40, u'0');
  for (int i = 0; i < 1000; ++i) {
    records.Request(u"G" + DecimalText(i), prefix + DecimalText(i));
  }
  records.Request(u"again", prefix + u"7");  // the same code: its record again
  records.Confirm(u"G500", 3);
  EXPECT_EQ(records.RecordCount(), 1000u);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(records.Find(prefix + DecimalText(i)), std::optional<std::size_t>(i)) << i;
  }
  EXPECT_EQ(records.Status(500).kind, 3);
  EXPECT_FALSE(records.Find(prefix + u"7 "));
  EXPECT_FALSE(records.Find(prefix + u"1000"));
  EXPECT_FALSE(records.Find(prefix));
  records.UseUp(7);
  EXPECT_FALSE(records.Find(prefix + u"7"));
  records.Request(u"new", prefix + u"7");
  EXPECT_EQ(records.Find(prefix + u"7"), std::optional<std::size_t>(7));
}

}  // namespace
}  // namespace kassivo::testing
