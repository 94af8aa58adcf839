// The driver options from their store and the environment, and saved back.
#include "device/options_store.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/text.h"
#include "platform/memory_store.h"

namespace kassivo {
namespace {

// An environment of the given variables only.
EnvironmentReader Environment(std::map<std::string, std::u16string> variables) {
  return [variables = std::move(variables)](const char* name) -> std::optional<std::u16string> {
    const auto found = variables.find(name);
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}

TEST(OptionsStoreTest, MissingStoreAndEnvironmentGiveTheDefaults) {
  MemoryStore empty;
  for (RegistrationStore* store :
       {static_cast<RegistrationStore*>(&empty), static_cast<RegistrationStore*>(nullptr)}) {
    const DriverOptions options = ReadDriverOptions(store, Environment({}));
    EXPECT_FALSE(options.Strict);
    EXPECT_EQ(options.Journal, u"");
    EXPECT_EQ(options.Origin.Strict, OptionOrigin::kDefault);
    EXPECT_EQ(options.Origin.Journal, OptionOrigin::kDefault);
  }
  EXPECT_FALSE(empty.has_key());  // reading creates nothing
  EXPECT_FALSE(ReadDriverOptions(nullptr, nullptr).Strict);
}

TEST(OptionsStoreTest, StoredValuesAreReadAndBadOnesKeepTheDefault) {
  MemoryStore store;
  store.Put(u"Strict", StoredValue::DWord(1));
  store.Put(u"Journal", StoredValue::Text(u"/var/log/журнал.txt"));
  DriverOptions options = ReadDriverOptions(&store, Environment({}));
  EXPECT_TRUE(options.Strict);
  EXPECT_EQ(options.Journal, u"/var/log/журнал.txt");
  EXPECT_EQ(options.Origin.Strict, OptionOrigin::kStore);
  EXPECT_EQ(options.Origin.Journal, OptionOrigin::kStore);

  for (const StoredValue& bad : {StoredValue::DWord(2), StoredValue::Text(u"1"),
                                 StoredValue{StoredValue::Type::kOther, {}, 1}}) {
    store.Put(u"Strict", bad);
    store.Put(u"Journal", StoredValue::DWord(1));
    options = ReadDriverOptions(&store, Environment({}));
    EXPECT_FALSE(options.Strict);
    EXPECT_EQ(options.Origin.Strict, OptionOrigin::kDefault);
    EXPECT_EQ(options.Journal, u"");
    EXPECT_EQ(options.Origin.Journal, OptionOrigin::kDefault);
  }
}

TEST(OptionsStoreTest, TheEnvironmentOverridesTheStoreAndABadValueIsIgnored) {
  MemoryStore store;
  store.Put(u"Strict", StoredValue::DWord(1));
  store.Put(u"Journal", StoredValue::Text(u"C:\\stored.txt"));

  DriverOptions options = ReadDriverOptions(
      &store, Environment({{"KASSIVO_STRICT", u"0"}, {"KASSIVO_JOURNAL", u"/tmp/j.txt"}}));
  EXPECT_FALSE(options.Strict);
  EXPECT_EQ(options.Journal, u"/tmp/j.txt");
  EXPECT_EQ(options.Origin.Strict, OptionOrigin::kEnvironment);
  EXPECT_EQ(options.Origin.Journal, OptionOrigin::kEnvironment);

  // Each of these switches the journal off for the process, over the store.
  for (const std::u16string off : {u"off", u"0", u""}) {
    options = ReadDriverOptions(&store, Environment({{"KASSIVO_JOURNAL", off}}));
    EXPECT_EQ(options.Journal, u"") << ToUtf8(off);
    EXPECT_EQ(options.Origin.Journal, OptionOrigin::kEnvironment);
  }

  for (const std::u16string bad : {u"", u"yes", u"on", u"01", u" 1"}) {
    options = ReadDriverOptions(&store, Environment({{"KASSIVO_STRICT", bad}}));
    EXPECT_TRUE(options.Strict) << ToUtf8(bad);
    EXPECT_EQ(options.Origin.Strict, OptionOrigin::kStore);
    EXPECT_EQ(options.Journal, u"C:\\stored.txt");
  }

  MemoryStore empty;
  options = ReadDriverOptions(&empty, Environment({{"KASSIVO_STRICT", u"1"}}));
  EXPECT_TRUE(options.Strict);
  EXPECT_EQ(options.Origin.Strict, OptionOrigin::kEnvironment);
}

TEST(OptionsStoreTest, SavingWritesOneValueAndKeepsTheOther) {
  MemoryStore store;
  store.Put(u"Journal", StoredValue::Text(u"j.txt"));
  ASSERT_TRUE(SaveStrict(&store, true));
  EXPECT_EQ(store.values().at(u"Strict"), StoredValue::DWord(1));
  EXPECT_EQ(store.values().at(u"Journal"), StoredValue::Text(u"j.txt"));
  ASSERT_TRUE(SaveJournal(&store, u""));
  EXPECT_EQ(store.values().at(u"Journal"), StoredValue::Text(u""));
  ASSERT_TRUE(SaveStrict(&store, false));
  EXPECT_EQ(store.values().at(u"Strict"), StoredValue::DWord(0));
  const DriverOptions options = ReadDriverOptions(&store, nullptr);
  EXPECT_FALSE(options.Strict);
  EXPECT_EQ(options.Origin.Journal, OptionOrigin::kStore);  // stored, though empty

  // A store that cannot be written reports it.
  EXPECT_FALSE(SaveStrict(nullptr, true));
  store.set_fail_after_writes(store.writes());
  EXPECT_FALSE(SaveJournal(&store, u"x"));
  store.set_cannot_create(true);
  EXPECT_FALSE(SaveStrict(&store, true));
  EXPECT_EQ(store.values().at(u"Strict"), StoredValue::DWord(0));
}

}  // namespace
}  // namespace kassivo
