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

#include "strict_fuzz.h"

using kassivo::ArgumentArray;
using kassivo::Value;
using kassivo::fuzz::CallStrict;
using kassivo::fuzz::FuzzDriver;
using kassivo::fuzz::StrictDriver;
using kassivo::fuzz::TextOf;

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
        return driver.CallCheck(14, args, 3);
      case 1:
        args = ArgumentArray({id, text, Value()});
        return driver.CallCheck(16, args, 2);
      case 2:
        args = ArgumentArray({id, none, Value()});
        return driver.Call(12, args);
      case 3:
        args = ArgumentArray({id, none, Value()});
        return driver.Call(13, args);
      case 4:
        // Amounts of a few roubles either way, to the tenth of a kopeck.
        args = ArgumentArray({id, text, Value::Real((selector - 128) * 0.125)});
        return driver.Call(18, args);
      case 5:
        args = ArgumentArray({id, Value::Integer(selector / 11 % 4), text});
        return driver.Call(11, args);
      case 6:
        args = ArgumentArray({id});
        return driver.Call(selector & 0x80 ? 35 : 36, args);
      case 7:
        args = ArgumentArray({id, text, Value()});
        return driver.Call(37, args);
      case 8:
        args = ArgumentArray({id, text, Value::Integer(selector / 11 % 2)});
        return driver.Call(39, args);
      case 9:
        args = ArgumentArray({id, none, Value()});
        return driver.Call(19, args);
      default:
        args = ArgumentArray({id, Value()});
        return driver.Call(10, args);
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
    CallOne(driver, selector, Value::Text(TextOf(data + at, taken)));
    at += taken;
  }
  return 0;
}
