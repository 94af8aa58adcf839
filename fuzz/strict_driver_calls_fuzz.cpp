// Strict mode, sequences of calls: the bytes spell a run of calls to the
// methods strict mode reviews, on the shared strict driver, which keeps its
// state from call to call and run to run as a loaded driver does. Each call
// is a selector byte, a length of two bytes (the low one first) and that
// many bytes of UTF-8 text (the call's XML, or a GUID); every call keeps FuzzDriver's contract and
// the strict one (strict_fuzz.h): a call that answers false has taken no number and left the drawer
// as it was. OpenShift and CloseShift get no input parameters: their counters change before the
// input is read. The clock is fixed: the 24 hours and the clock going back are the golden sessions'
// to try.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/text.h"
#include "strict_fuzz.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;
using kassivo::fuzz::CallStrict;
using kassivo::fuzz::FuzzDriver;
using kassivo::fuzz::StrictDriver;

namespace {

// One call of the run; `selector` picks the method, `text` is its input.
void CallOne(FuzzDriver& driver, std::uint8_t selector, const Value& text) {
  const Value id = Value::Text(u"1");
  const Value none = Value::Text(u"");
  CallStrict(driver, [&] {
    ArgumentArray args;
    switch (selector % 11) {
      case 0:
        args = ArgumentArray({id, Value::Boolean(selector & 0x80), text, Value()});
        return driver.CallCheck(Method::kProcessCheck, args, 3);
      case 1:
        args = ArgumentArray({id, text, Value()});
        return driver.CallCheck(Method::kProcessCorrectionCheck, args, 2);
      case 2:
        args = ArgumentArray({id, none, Value()});
        return driver.Call(Method::kOpenShift, args);
      case 3:
        args = ArgumentArray({id, none, Value()});
        return driver.Call(Method::kCloseShift, args);
      case 4:
        // Amounts of a few roubles either way, to the tenth of a kopeck.
        args = ArgumentArray({id, text, Value::Real((selector - 128) * 0.125)});
        return driver.Call(Method::kCashInOutcome, args);
      case 5:
        args = ArgumentArray({id, Value::Integer(selector / 11 % 4), text});
        return driver.Call(Method::kOperationFN, args);
      case 6:
        args = ArgumentArray({id});
        return driver.Call(selector & 0x80 ? Method::kOpenSessionRegistrationKM
                                           : Method::kCloseSessionRegistrationKM,
                           args);
      case 7:
        args = ArgumentArray({id, text, Value()});
        return driver.Call(Method::kRequestKM, args);
      case 8:
        args = ArgumentArray({id, text, Value::Integer(selector / 11 % 2)});
        return driver.Call(Method::kConfirmKM, args);
      case 9:
        args = ArgumentArray({id, none, Value()});
        return driver.Call(Method::kGetCurrentStatus, args);
      default:
        args = ArgumentArray({id, Value()});
        return driver.Call(Method::kGetDataKKT, args);
    }
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzDriver& driver = StrictDriver();
  std::size_t at = 0;
  while (at + 3 <= size) {
    const std::uint8_t selector = data[at];
    const std::size_t length = data[at + 1] | std::size_t{data[at + 2]} << 8;
    at += 3;
    const std::size_t taken = length < size - at ? length : size - at;
    const std::string_view text(reinterpret_cast<const char*>(data + at), taken);
    CallOne(driver, selector, Value::Text(kassivo::FromUtf8(text)));
    at += taken;
  }
  return 0;
}
