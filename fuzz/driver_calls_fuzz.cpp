// Feeds arbitrary text to every driver method that reads an XML input, through
// the dispatcher, and checks the answers stay within the contract: S_OK, a
// boolean result, and a LastErrorText whenever a call fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/text.h"
#include "fuzz_driver.h"
#include "host/component.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;

// A process of its own, with device "1" open and no shift, its component
// object calling straight through the dispatcher.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static kassivo::testing::TestProcess process(kassivo::fuzz::FuzzOptions());
  static kassivo::ProcessState& state = *process.state;
  static kassivo::DriverComponent component(state);
  static bool opened = [] {
    component.Init();
    ArgumentArray args({Value()});
    Value result;
    component.CallAsFunc(Method::kOpen, result, args);
    return true;
  }();
  (void)opened;

  const std::uint8_t selector = data[0];
  const std::u16string text =
      kassivo::FromUtf8(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  state.Settings.Size = 20 + selector % 50;
  const Value id = Value::Text(u"1");
  const Value xml = Value::Text(text);
  ArgumentArray args;
  Method method{};
  switch (selector % 9) {
    case 0:
      method = Method::kProcessCheck,
      args = ArgumentArray({id, Value::Boolean(false), xml, Value()});
      break;
    case 1:
      method = Method::kProcessCorrectionCheck, args = ArgumentArray({id, xml, Value()});
      break;
    case 2:
      method = Method::kOperationFN, args = ArgumentArray({id, Value::Integer(selector % 4), xml});
      break;
    case 3:
      method = Method::kOpenShift, args = ArgumentArray({id, xml, Value()});
      break;
    case 4:
      method = Method::kCashInOutcome,
      args = ArgumentArray({id, xml, Value::Real(selector - 100.5)});
      break;
    case 5:
      method = Method::kPrintTextDocument, args = ArgumentArray({id, xml});
      break;
    case 6:
      method = Method::kRequestKM, args = ArgumentArray({id, xml, Value()});
      break;
    case 7:
      method = Method::kSetParameter, args = ArgumentArray({Value::Text(u"Size"), xml});
      break;
    default:
      method = Method::kPayByPaymentCard,
      args = ArgumentArray({id, Value(), xml, Value(), Value(), Value(), Value()});
      break;
  }
  Value result;
  if (component.CallAsFunc(method, result, args) != kassivo::HResult::kOk) std::abort();
  if (result.kind() != Value::Kind::kBoolean) std::abort();
  if (!result.boolean() && !state.LastErrorText) std::abort();
  return 0;
}
