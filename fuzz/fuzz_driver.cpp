#include "fuzz_driver.h"

#include <cstdlib>
#include <string_view>

#include "common/text.h"
#include "common/wrapping.h"
#include "host/driver_methods.h"

namespace kassivo::fuzz {

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

FuzzDriver::FuzzDriver() : component_(std::make_unique<DriverComponent>(*process_.state)) {
  component_->Init();
  ArgumentArray open({Value()});
  Check(Call(Method::kOpen, open) == Value::Boolean(true) && open.Get(0) == Value::Text(u"1"));
  ArgumentArray shift({Value::Text(u"1"), Value::Text(u""), Value()});
  Check(Call(Method::kOpenShift, shift) == Value::Boolean(true));
}

FuzzDriver& FuzzDriver::Get() {
  static FuzzDriver driver;
  driver.process_.messages->Take();
  return driver;
}

Value FuzzDriver::Call(std::int32_t method, ArgumentArray& args) {
  Value result;
  const HResult answer = component_->CallAsFunc(method, result, args);
  Check(answer == (IsMethodNumber(method) ? HResult::kOk : HResult::kFalse));
  const bool integral =
      method == Number(Method::kGetInterfaceRevision) || method == Number(Method::kGetLastError);
  Check(result.kind() == (integral ? Value::Kind::kInteger : Value::Kind::kBoolean));
  Check(state_->LastErrorText.has_value() && !state_->LastErrorText->empty());
  if (method != Number(Method::kGetLastError) && method != Number(Method::kClose)) {
    CheckDeviceAnswers();
  }
  return result;
}

Value FuzzDriver::CallCheck(Method method, ArgumentArray& args, int answer) {
  const std::int32_t before = state_->Counters.CheckNumber;
  Value result;
  Check(component_->CallAsFunc(method, result, args) == HResult::kOk);
  const Value written = args.Get(answer);
  Check(written.kind() == Value::Kind::kText);
  if (result == Value::Boolean(true)) {
    Check(state_->Counters.CheckNumber == WrappingAdd(before, 1));
    Check(written.text().find(u"CheckNumber=\"" + DecimalText(state_->Counters.CheckNumber) +
                              u"\"") != std::u16string::npos);
  } else {
    Check(result == Value::Boolean(false));
    Check(state_->Counters.CheckNumber == before);
    Check(written.text().empty());
    Check(state_->LastErrorText.has_value() && !state_->LastErrorText->empty() &&
          *state_->LastErrorText != kNoErrors);
  }
  CheckDeviceAnswers();
  return result;
}

void FuzzDriver::CheckDeviceAnswers() {
  ArgumentArray line({Value::Text(u"1"), Value()});
  Value length;
  component_->CallAsFunc(Method::kGetLineLength, length, line);
  Check(length == Value::Boolean(true) && line.Get(1).kind() == Value::Kind::kInteger);
}

XmlCall ReadXmlCall(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  return {FuzzDriver::Get(), data[0], Value::Text(FromUtf8(text))};
}

}  // namespace kassivo::fuzz
