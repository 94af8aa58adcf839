// The fault grammar: every item read, its errors, and the canonical text
// that gives the same faults back.
#include "device/faults.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace kassivo {
namespace {

const LocalDateTime kNow{2024, 12, 30, 10, 0, 0, 0};

FaultSet Applied(std::u16string_view spec, FaultSet faults = {}) {
  FaultActions actions;
  std::u16string error;
  EXPECT_TRUE(ApplyFaultSpec(spec, kNow, faults, actions, error)) << ToUtf8(error);
  return faults;
}

TEST(Faults, EveryItemReadsAndFormatsBackToTheSameFaults) {
  const FaultSet all = Applied(
      u"kkt=offline, paper=near:3,cover=open,fn=broken,fn.expires=3d,fn.archive=90%,"
      u"ofd=offline:age=31d,shift=over24h,power=after,card=insufficient-funds:once,"
      u"scale=weight:1.25,labels=cover");
  EXPECT_EQ(FormatFaultSpec(all),
            u"kkt=offline,paper=near:3,cover=open,fn=broken,fn.expires=2025-01-02,"
            u"fn.archive=90%,ofd=offline,shift=over24h,power=after,"
            u"card=insufficient-funds:once,scale=weight:1.25,labels=cover");
  EXPECT_EQ(Applied(FormatFaultSpec(all)), all);
  EXPECT_EQ(DaysUntil(kNow, *all.fn_expires), 3);
  EXPECT_EQ(Applied(u"fn.expires=expired").fn_expires->day, 29);
  // ok clears one; clear and the empty list clear all, the OFD still tracked.
  const FaultSet fewer = Applied(u"paper=ok,card=ok", all);
  EXPECT_EQ(fewer.paper, PaperState::kLoaded);
  EXPECT_EQ(fewer.card, CardOutcome::kNone);
  EXPECT_TRUE(fewer.cover_open);
  for (const std::u16string_view none : {u"clear", u"", u" , "}) {
    const FaultSet cleared = Applied(none, all);
    EXPECT_FALSE(cleared.Any());
    EXPECT_TRUE(cleared.ofd_tracked);
    EXPECT_EQ(FormatFaultSpec(cleared), u"");
  }
  EXPECT_EQ(Applied(u"card=by-kopecks").card, CardOutcome::kByKopecks);
}

TEST(Faults, ABadItemIsNamedAndChangesNothing) {
  const FaultSet before = Applied(u"paper=out");
  struct Case {
    std::u16string_view spec;
    std::u16string error;
  };
  const Case cases[] = {
      {u"cover=open,printer=jam", u"Неизвестная неисправность: printer=jam"},
      {u"cover=open,paper", u"Неизвестная неисправность: paper"},
      {u"paper=near:0", u"Неверное значение неисправности: paper=near:0"},
      {u"fn.expires=2025-02-30", u"Неверное значение неисправности: fn.expires=2025-02-30"},
      {u"card=stolen:once", u"Неверное значение неисправности: card=stolen:once"},
      {u"scale=weight:-1", u"Неверное значение неисправности: scale=weight:-1"},
      {u"PAPER=out", u"Неизвестная неисправность: PAPER=out"},
      {u"бумага=нет", u"Неверная запись неисправностей: бумага=нет"},
  };
  for (const Case& c : cases) {
    FaultSet faults = before;
    FaultActions actions;
    std::u16string error;
    EXPECT_FALSE(ApplyFaultSpec(c.spec, kNow, faults, actions, error));
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(faults, before);
  }
}

}  // namespace
}  // namespace kassivo
