#include "host/native/native_values.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace kassivo::native {
namespace {

// A host's memory manager that knows its blocks and can refuse.
class CountingMemory final : public MemoryManager {
 public:
  bool KASSIVO_ADDIN_METHOD AllocMemory(void** memory, unsigned long bytes) override {
    if (refuse) return false;
    *memory = std::malloc(bytes);
    blocks.insert(*memory);
    return true;
  }
  void KASSIVO_ADDIN_METHOD FreeMemory(void** memory) override {
    EXPECT_EQ(blocks.erase(*memory), 1u) << "a block the host never gave";
    std::free(*memory);
    *memory = nullptr;
  }
  ~CountingMemory() {
    for (void* block : blocks) std::free(block);
  }

  bool refuse = false;
  std::set<void*> blocks;
};

tVariant Of(VariantType type) {
  tVariant variant;
  std::memset(&variant, 0, sizeof variant);
  variant.vt = type;
  return variant;
}

TEST(NativeValues, HostKindsMapAsTheComBindingMapsVariants) {
  tVariant big = Of(VTYPE_UI8);
  big.ullVal = 5000000000ull;
  tVariant small = Of(VTYPE_I8);
  small.llVal = -7;
  tVariant flag = Of(VTYPE_BOOL);
  flag.bVal = true;
  char bytes[] = "Весы";
  tVariant narrow = Of(VTYPE_PSTR);
  narrow.bytes = {bytes, static_cast<std::uint32_t>(std::strlen(bytes))};
  tVariant null_text = Of(VTYPE_PWSTR);

  EXPECT_EQ(ValueOfVariant(big), Value::Real(5000000000.0));
  EXPECT_EQ(ValueOfVariant(small), Value::Integer(-7));
  EXPECT_EQ(ValueOfVariant(flag), Value::Boolean(true));
  EXPECT_EQ(ValueOfVariant(narrow), Value::Text(u"Весы"));
  EXPECT_EQ(ValueOfVariant(null_text), Value::Text(u""));
  EXPECT_EQ(ValueOfVariant(Of(VTYPE_BLOB)), Value());
  EXPECT_EQ(ValueOfVariant(Of(VTYPE_CLSID)), Value());
  EXPECT_EQ(ValueOfVariant(Of(static_cast<VariantType>(99))), Value());
}

TEST(NativeValues, CalendarTimeReadsAsItsOleDateNumber) {
  std::tm time{};
  time.tm_year = 2024 - 1900;
  time.tm_mon = 2;
  time.tm_mday = 5;
  time.tm_hour = 18;
  tVariant variant = Of(VTYPE_TM);
  variant.tmVal = time;
  EXPECT_EQ(ValueOfVariant(variant), Value::Real(45356.75));
  time = {};
  time.tm_year = -1;  // 1899-12-30 is day 0, 1899-12-31 day 1
  time.tm_mon = 11;
  time.tm_mday = 30;
  EXPECT_EQ(OleDateOf(time), 0.0);
}

TEST(NativeValues, WrittenTextsComeFromTheHostAndReplaceItsOwn) {
  CountingMemory memory;
  tVariant params[3] = {Of(VTYPE_PWSTR), Of(VTYPE_I4), Of(VTYPE_PWSTR)};
  params[0].text.pwstrVal = HostText(u"старый", &memory);
  params[0].text.wstrLen = 6;
  params[2].text.pwstrVal = HostText(u"нетронутый", &memory);
  params[2].text.wstrLen = 10;
  ArgumentArray arguments = ReadArguments(params, 3);
  arguments.Put(0, Value::Text(u"новый"));
  arguments.Put(1, Value::Real(2.5));

  ASSERT_TRUE(WriteBack(arguments, params, 3, &memory));
  EXPECT_EQ(params[0].vt, VTYPE_PWSTR);
  EXPECT_EQ(std::u16string(params[0].text.pwstrVal), u"новый");
  EXPECT_EQ(params[0].text.wstrLen, 5u);
  EXPECT_EQ(params[1].vt, VTYPE_R8);
  EXPECT_EQ(std::u16string(params[2].text.pwstrVal), u"нетронутый");
  EXPECT_EQ(memory.blocks.size(), 2u) << "the old text was not given back";

  memory.refuse = true;
  arguments.Put(2, Value::Text(u"x"));
  EXPECT_FALSE(WriteBack(arguments, params, 3, &memory));
  EXPECT_EQ(params[2].vt, VTYPE_EMPTY);
  EXPECT_EQ(HostText(u"x", nullptr), nullptr);
}

}  // namespace
}  // namespace kassivo::native
