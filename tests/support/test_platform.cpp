#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace kassivo::testing {

Value Call(DriverComponent& component, std::u16string_view name, ArgumentArray& args) {
  std::int32_t number = -1;
  EXPECT_EQ(DriverComponent::FindMethod(name, number), HResult::kOk);
  Value result;
  EXPECT_EQ(component.CallAsFunc(number, result, args), HResult::kOk);
  return result;
}

std::u16string OpenDevice(DriverComponent& component) {
  ArgumentArray args({Value()});
  const Value result = Call(component, u"Open", args);
  EXPECT_EQ(result, Value::Boolean(true));
  return args.Get(0).kind() == Value::Kind::kText ? args.Get(0).text() : u"";
}

std::u16string LastError(DriverComponent& component) {
  ArgumentArray args({Value()});
  EXPECT_EQ(Call(component, u"GetLastError", args), Value::Integer(0));
  return args.Get(0).is_empty() ? u"<empty>" : args.Get(0).text();
}

std::vector<std::u16string> SplitAtCr(const std::u16string& text) {
  std::vector<std::u16string> lines(1);
  for (const char16_t c : text) {
    if (c == u'\r') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

std::vector<std::u16string> TapeTexts(const ProcessState& state) {
  std::vector<std::u16string> texts;
  for (const TapeEntry& entry : state.Receipt.entries()) texts.push_back(entry.text);
  return texts;
}

}  // namespace kassivo::testing
