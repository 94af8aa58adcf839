// MethodCall: one call of a catalogue row as its handler sees it, with the
// argument reading and writing the handlers share.
//
// A handler is called with the process's call lock held and, on a device
// row, only once parameter 0 has named a device. It reads its inputs from
// `params`, writes its outputs there (a write to a parameter the host did not
// pass is dropped) and its answer into `result`, which starts as boolean
// false. It fails by leaving the result false with LastErrorText set, or by
// throwing (DriverError, ConversionError, anything): the dispatcher turns
// what it throws into a false result, the message and the row's
// AlwaysOutputs.
#pragma once

#include <string>
#include <string_view>

#include "common/value.h"
#include "device/emulator.h"

namespace kassivo {

struct MethodCall {
  ProcessState& state;
  // The object's device list; null before Init and after Done.
  TFPEmulatorList* devices;
  // Device rows: the device parameter 0 names, and that ID as read. `id` may
  // point into parameter 0, so writing it back (PutId) is its last use.
  TFPEmulator* device;
  std::u16string_view id;
  Value& result;
  ArgumentArray& params;

  const NumberFormat& format() const { return state.number_format(); }
  void Answer(bool ok) { result = Value::Boolean(ok); }

  std::u16string Text(int i) const { return ToText(params.At(i), format()); }
  // An XML input, megabytes at times, read in place when it is a text;
  // `converted` receives another kind's text. Only for a parameter the
  // method does not write.
  const std::u16string& InputText(int i, std::u16string& converted) const {
    const Value& value = params.At(i);
    if (value.kind() == Value::Kind::kText) return value.text();
    converted = ToText(value, format());
    return converted;
  }

  void PutText(int i, std::u16string value) { params.Put(i, Value::Text(std::move(value))); }
  void PutId(int i) { PutText(i, std::u16string(id)); }
};

}  // namespace kassivo
