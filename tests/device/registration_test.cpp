#include "device/registration.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "common/value.h"
#include "platform/memory_store.h"

namespace kassivo {
namespace {

constexpr const char16_t* kZeros = u"0000000000000";

TEST(Registration, MissingKeyGivesTheDefaults) {
  MemoryStore store;
  KKTRegistration r;
  r.IsOnline = true;
  r.FNSURL = u"stale";
  LoadRegistration(r, store);
  EXPECT_EQ(r.KKTNumber, kZeros);
  EXPECT_EQ(r.KKTSerialNumber, kZeros);
  EXPECT_EQ(r.FNSerialNumber, kZeros);
  EXPECT_EQ(r.INN, kZeros);
  EXPECT_EQ(r.CompanyName, u"ООО \"ТЕСТОВАЯ ОРГАНИЗАЦИЯ\"");
  EXPECT_EQ(r.CompanyName.size(), 26u);
  EXPECT_EQ(r.SaleAddress, u"г.Москва, ул.Федеральная д6.");
  EXPECT_EQ(r.SaleLocation, u"2 этаж");
  EXPECT_EQ(r.FNSURL, u"");
  EXPECT_FALSE(r.IsOnline);
}

TEST(Registration, AnEmptyStoredTextIsNotMissing) {
  MemoryStore store;
  store.Put(u"CompanyName", StoredValue::Text(u""));
  KKTRegistration r;
  LoadRegistration(r, store);
  EXPECT_EQ(r.CompanyName, u"");
  EXPECT_EQ(r.INN, kZeros);
}

TEST(Registration, FlagsAndExpandableTextsRoundTripAsTheirTypes) {
  MemoryStore store;
  store.Put(u"IsMarking", StoredValue::DWord(2));
  store.Put(u"KKTNumber", {StoredValue::Type::kExpandText, u"%HOME%\\1", 0});
  KKTRegistration r;
  LoadRegistration(r, store);
  EXPECT_TRUE(r.IsMarking);
  EXPECT_EQ(r.KKTNumber, u"%HOME%\\1");
  SaveRegistration(r, store);
  EXPECT_EQ(store.values().at(u"IsMarking"), StoredValue::DWord(1));
  EXPECT_EQ(store.values().at(u"KKTNumber"), StoredValue::Text(u"%HOME%\\1"));
  EXPECT_EQ(store.values().size(), 30u);
  KKTRegistration again;
  LoadRegistration(again, store);
  EXPECT_EQ(again, r);
}

TEST(Registration, AWronglyTypedValueStopsTheLoadThere) {
  MemoryStore store;
  store.Put(u"KKTNumber", StoredValue::Text(u"new number"));
  store.Put(u"CompanyName", StoredValue::Text(u"new company"));
  store.Put(u"INN", StoredValue::DWord(7));
  store.Put(u"SaleAddress", StoredValue::Text(u"new address"));
  KKTRegistration r;
  r.INN = u"old inn";
  r.SaleAddress = u"old address";
  r.IsOnline = true;
  EXPECT_THROW(LoadRegistration(r, store), DriverError);
  EXPECT_EQ(r.KKTNumber, u"new number");
  EXPECT_EQ(r.CompanyName, u"new company");
  EXPECT_EQ(r.INN, u"old inn");
  EXPECT_EQ(r.SaleAddress, u"old address");
  EXPECT_TRUE(r.IsOnline);

  MemoryStore flag_as_text;
  flag_as_text.Put(u"Fiscal", StoredValue::Text(u"1"));
  try {
    LoadRegistration(r, flag_as_text);
    FAIL() << "a flag stored as text must not load";
  } catch (const DriverError& error) {
    EXPECT_NE(error.message().find(u"Fiscal"), std::u16string::npos);
  }

  // A value of a type the driver never writes (binary, 64-bit) is wrong for
  // a text and for a flag alike.
  StoredValue binary;
  binary.type = StoredValue::Type::kOther;
  for (const char16_t* name : {u"KKTNumber", u"IsMarking"}) {
    MemoryStore other;
    other.Put(name, binary);
    EXPECT_THROW(LoadRegistration(r, other), DriverError) << ToUtf8(name);
  }
}

TEST(Registration, SaveNeverReportsAndKeepsWhatWasWritten) {
  KKTRegistration r;
  r.KKTNumber = u"1";
  r.KKTSerialNumber = u"2";
  r.Fiscal = true;

  MemoryStore cannot_create;
  cannot_create.set_cannot_create(true);
  SaveRegistration(r, cannot_create);
  EXPECT_FALSE(cannot_create.has_key());

  MemoryStore failing;
  failing.set_fail_after_writes(3);
  SaveRegistration(r, failing);
  EXPECT_EQ(failing.values().size(), 3u);
  EXPECT_EQ(failing.values().at(u"Fiscal"), StoredValue::DWord(1));
  EXPECT_EQ(failing.values().count(u"DocumentNumber"), 0u);
}

}  // namespace
}  // namespace kassivo
