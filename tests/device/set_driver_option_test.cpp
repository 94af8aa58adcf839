// An option changed while the process runs: the record changes and is
// marked, the store gets it, and a failed save says why yet keeps the change.
#include "device/set_driver_option.h"

#include <gtest/gtest.h>

#include "platform/memory_store.h"

namespace kassivo {
namespace {

TEST(SetDriverOptionTest, ChangesTheRecordAndSavesIt) {
  MemoryStore store;
  DriverOptions options;
  const OptionSave strict = SetDriverOption(options, &DriverOptions::Strict, true, &store);
  EXPECT_TRUE(strict.saved);
  EXPECT_TRUE(options.Strict);
  EXPECT_EQ(options.Origin.Strict, OptionOrigin::kChanged);
  EXPECT_EQ(options.Origin.Journal, OptionOrigin::kDefault);
  EXPECT_EQ(store.values().at(u"Strict"), StoredValue::DWord(1));

  EXPECT_TRUE(SetDriverOption(options, &DriverOptions::Journal, u"j.txt", &store).saved);
  EXPECT_EQ(options.Journal, u"j.txt");
  EXPECT_EQ(options.Origin.Journal, OptionOrigin::kChanged);
  EXPECT_EQ(store.values().at(u"Journal"), StoredValue::Text(u"j.txt"));
}

TEST(SetDriverOptionTest, AnUnsavedChangeHoldsForTheProcessAndSaysWhy) {
  DriverOptions options;
  OptionSave save = SetDriverOption(options, &DriverOptions::Strict, true, nullptr);
  EXPECT_FALSE(save.saved);
  EXPECT_FALSE(save.reason.empty());
  EXPECT_TRUE(options.Strict);
  EXPECT_EQ(options.Origin.Strict, OptionOrigin::kChanged);

  MemoryStore store;
  store.set_cannot_create(true);
  save = SetDriverOption(options, &DriverOptions::Journal, u"j.txt", &store);
  EXPECT_FALSE(save.saved);
  EXPECT_FALSE(save.reason.empty());
  EXPECT_EQ(options.Journal, u"j.txt");
  EXPECT_FALSE(store.has_key());
}

}  // namespace
}  // namespace kassivo
