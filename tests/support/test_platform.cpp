#include "support/test_platform.h"

#include <gtest/gtest.h>

#include "platform/host_platform.h"

namespace kassivo::testing {

TestProcess::TestProcess() {
  Platform platform;
  auto memory = std::make_unique<MemoryStore>();
  auto fixed_clock = std::make_unique<FixedClock>();
  auto sequence = std::make_unique<SequenceRandom>();
  auto recorder = std::make_unique<RecordingMessages>();
  store = memory.get();
  clock = fixed_clock.get();
  random = sequence.get();
  messages = recorder.get();
  platform.store = std::move(memory);
  platform.clock = std::move(fixed_clock);
  platform.random = std::move(sequence);
  platform.messages = std::move(recorder);
  platform.xml = MakeHostXmlParser();
  platform.upper = MakeHostUpperCaser();
  state = std::make_unique<ProcessState>(std::move(platform));
  journal = std::make_unique<JournalObserver>(*state);
}

std::unique_ptr<DriverComponent> TestProcess::NewComponent() {
  auto component = std::make_unique<DriverComponent>(*state, journal.get());
  component->Init();
  return component;
}

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
