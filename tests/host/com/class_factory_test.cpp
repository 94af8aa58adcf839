#include "host/com/class_factory.h"

#include <gtest/gtest.h>

#include "host/com/addin_lib.h"
#include "support/test_platform.h"

namespace kassivo::com {
namespace {

ProcessState& TestState() {
  static testing::TestProcess process;
  return *process.state;
}

class NoHooks : public ModuleHooks {
 public:
  void ObjectCreated() override {}
  void ObjectDestroyed() override {}
  void AfterCall() override {}
};

TEST(ClassFactoryTest, CreatesObjectsAndCountsWhatKeepsTheServer) {
  ServerCounts counts;
  NoHooks hooks;
  auto* factory = new ClassFactory(&TestState, counts, &hooks);
  EXPECT_FALSE(counts.Idle());  // a live factory keeps the server
  IClassFactory* face = nullptr;
  ASSERT_EQ(factory->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&face)), S_OK);
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->QueryInterface(IID_IInitDone, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);

  ILanguageExtender* extender = nullptr;
  ASSERT_EQ(
      face->CreateInstance(nullptr, IID_ILanguageExtender, reinterpret_cast<void**>(&extender)),
      S_OK);
  long methods = 0;
  extender->GetNMethods(&methods);
  EXPECT_EQ(methods, 42);
  extender->Release();

  // Any outer unknown asking for more than IUnknown is refused before it is
  // ever called, so a stand-in pointer will do.
  auto* outer = reinterpret_cast<IUnknown*>(&hooks);
  EXPECT_EQ(face->CreateInstance(outer, IID_IInitDone, &none), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(face->CreateInstance(nullptr, IID_IClassFactory, &none), E_NOINTERFACE);
  EXPECT_EQ(face->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);

  EXPECT_EQ(face->LockServer(TRUE), S_OK);
  face->Release();
  factory->Release();
  EXPECT_FALSE(counts.Idle());  // still locked
  EXPECT_EQ(counts.factories, 0);
  counts.locks = 1;
  ClassFactory* again = new ClassFactory(&TestState, counts, &hooks);
  EXPECT_EQ(again->LockServer(FALSE), S_OK);
  EXPECT_EQ(again->LockServer(FALSE), S_OK);  // an unbalanced unlock goes no lower
  again->Release();
  EXPECT_TRUE(counts.Idle());
}

}  // namespace
}  // namespace kassivo::com
