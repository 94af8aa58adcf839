#include "fuzz_driver.h"

#include <cstdlib>
#include <string_view>

#include "common/text.h"
#include "platform/posix/posix_platform.h"

namespace kassivo::fuzz {

namespace {

class SilentMessages : public MessagePresenter {
 public:
  void Show(std::u16string_view) override {}
};

Platform FuzzPlatform() {
  PosixPlatformOptions options;
  options.memory_store = true;
  options.fixed_clock = LocalDateTime{2024, 3, 5, 9, 7, 4, 56};
  options.seed = 1;
  options.decimal_separator = u",";
  options.thousands_separator = u"\u00A0";
  options.messages = std::make_unique<SilentMessages>();
  return MakePosixPlatform(std::move(options));
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

FuzzDriver::FuzzDriver()
    : state_(std::make_unique<ProcessState>(FuzzPlatform())),
      component_(std::make_unique<DriverComponent>(*state_)) {
  component_->Init();
  ArgumentArray open({Value()});
  Check(Call(5, open) == Value::Boolean(true) && open.Get(0) == Value::Text(u"1"));
  ArgumentArray shift({Value::Text(u"1"), Value::Text(u""), Value()});
  Check(Call(12, shift) == Value::Boolean(true));
}

FuzzDriver& FuzzDriver::Get() {
  static FuzzDriver driver;
  return driver;
}

Value FuzzDriver::Call(std::int32_t method, ArgumentArray& args) {
  Value result;
  const HResult answer = component_->CallAsFunc(method, result, args);
  Check(answer == (method >= 0 && method < 42 ? HResult::kOk : HResult::kFalse));
  const bool integral = method == 0 || method == 2;
  Check(result.kind() == (integral ? Value::Kind::kInteger : Value::Kind::kBoolean));
  Check(state_->LastErrorText.has_value() && !state_->LastErrorText->empty());
  if (method != 2 && method != 6) {
    ArgumentArray line({Value::Text(u"1"), Value()});
    Value length;
    component_->CallAsFunc(23, length, line);
    Check(length == Value::Boolean(true) && line.Get(1).kind() == Value::Kind::kInteger);
  }
  return result;
}

std::u16string TextOf(const std::uint8_t* data, std::size_t size) {
  return FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
}

}  // namespace kassivo::fuzz
