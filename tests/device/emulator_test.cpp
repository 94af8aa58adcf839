#include "device/emulator.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::TestProcess;

TEST(EmulatorList, IssuesIdsInOrderAndFindsThemExactly) {
  TestProcess process;
  TFPEmulatorList list(*process.state);
  std::u16string id;
  ASSERT_TRUE(list.New(id));
  EXPECT_EQ(id, u"1");
  ASSERT_TRUE(list.New(id));
  EXPECT_EQ(id, u"2");
  ASSERT_NE(list.Find(u"1"), nullptr);
  EXPECT_EQ(list.Find(u"1")->FID, u"1");
  EXPECT_TRUE(list.Find(u"1")->Close());
  EXPECT_NE(list.Find(u"1"), nullptr) << "a closed device keeps answering";
  for (const char16_t* miss : {u"", u"01", u" 1", u"1 ", u"3", u"+1"}) {
    EXPECT_EQ(list.Find(miss), nullptr) << ToUtf8(miss);
  }
  TFPEmulatorList other(*process.state);
  EXPECT_EQ(other.Find(u"1"), nullptr);
  other.New(id);
  EXPECT_EQ(id, u"1");
  EXPECT_NE(other.Find(u"1"), list.Find(u"1"));
}

TEST(EmulatorList, ConstructionReloadsTheRegistrationAndResetsTheRequestGuid) {
  TestProcess process;
  ProcessState& state = *process.state;
  EXPECT_EQ(state.Registration.KKTNumber, u"");  // nothing loaded before the first device
  TFPEmulatorList list(state);
  std::u16string id;
  list.New(id);
  EXPECT_EQ(state.Registration.KKTNumber, u"0000000000000");
  EXPECT_EQ(state.LastKMRequestGUID, u"***");

  state.Registration.KKTSerialNumber = u"100000001";  // only in memory
  state.LastKMRequestGUID = u"guid";
  process.store->Put(u"KKTNumber", StoredValue::Text(u"42"));
  list.New(id);
  EXPECT_EQ(state.Registration.KKTSerialNumber, u"0000000000000");
  EXPECT_EQ(state.Registration.KKTNumber, u"42");
  EXPECT_EQ(state.LastKMRequestGUID, u"***");
}

TEST(EmulatorList, AFailedConstructionKeepsItsNumberAndTheListUsable) {
  TestProcess process;
  TFPEmulatorList list(*process.state);
  process.store->Put(u"INN", StoredValue::DWord(1));
  std::u16string id;
  EXPECT_THROW(list.New(id), DriverError);
  EXPECT_EQ(list.size(), 0u);
  process.store->Put(u"INN", StoredValue::Text(u"7700000000"));
  ASSERT_TRUE(list.New(id));
  EXPECT_EQ(id, u"2");
  EXPECT_EQ(list.Find(u"1"), nullptr);
}

TEST(EmulatorList, OpenThroughTheDispatcherReportsALoadFailure) {
  TestProcess process;
  auto component = process.NewComponent();
  process.store->Put(u"Fiscal", StoredValue::Text(u"yes"));
  ArgumentArray args({Value::Text(u"stale")});
  EXPECT_EQ(testing::Call(*component, u"Open", args), Value::Boolean(false));
  EXPECT_EQ(args.Get(0), Value::Text(u""));
  ASSERT_TRUE(process.state->LastErrorText.has_value());
  EXPECT_NE(process.state->LastErrorText->find(u"Fiscal"), std::u16string::npos);
  process.store->Put(u"Fiscal", StoredValue::DWord(0));
  EXPECT_EQ(testing::OpenDevice(*component), u"2");
}

TEST(EmulatorList, CallsBeforeInitOrAfterDoneFindNoDevice) {
  TestProcess process;
  DriverComponent component(*process.state);
  ArgumentArray open({Value()});
  EXPECT_EQ(testing::Call(component, u"Open", open), Value::Boolean(false));
  component.Init();
  EXPECT_EQ(testing::OpenDevice(component), u"1");
  component.Done();
  ArgumentArray close({Value::Text(u"1")});
  EXPECT_EQ(testing::Call(component, u"Close", close), Value::Boolean(false));
  component.Init();
  EXPECT_EQ(testing::OpenDevice(component), u"1") << "a new Init starts a new list";
}

}  // namespace
}  // namespace kassivo
