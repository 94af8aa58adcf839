// DriverComponent: the component object without COM. The COM binding and the
// kassivo command-line host both wrap one of these per component object.
//
// It owns the object's TFPEmulatorList from Init to Done and answers the
// method side of the host's language-extender interface: the table queries
// and the dispatcher CallAsFunc.
//
// CallAsFunc contract:
//  - every call but GetLastError (2) first sets LastErrorText to
//    "Нет ошибок."; the return value starts as boolean false;
//  - a number outside 0..41 answers kFalse and does nothing else; every
//    other number answers kOk, whether the method succeeded or not;
//  - no error escapes: an exception or a failed argument conversion makes
//    the return value false and puts its message into LastErrorText; of the
//    outputs the method writes "always", the device ID is written back as
//    read and the others as empty text; nothing else is written; when
//    memory runs out even for that report, the return value is still false
//    and LastErrorText is left empty (never "no errors");
//  - a device method given an ID no device has answers false with
//    "Устройство c таким ID не найдено." (card payments: "Карта
//    заблокирована"), still writing its "always" outputs;
//  - one process-wide lock is held for the call, and by Init and Done, so
//    that a host calling from several threads corrupts no shared record and
//    frees no device list under a running call;
//  - an observer given at construction (call_observer.h) hears of every
//    call, Init and Done, under that lock; it must outlive the object.
// Calls before Init or after Done find no device; Open then answers false.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/value.h"
#include "device/emulator.h"
#include "host/call_observer.h"
#include "host/hresult.h"
#include "host/method_catalogue.h"

namespace kassivo {

class DriverComponent {
 public:
  // `observer` (may be null) hears of the calls; `number` names the object
  // to it; none: the next number of the process (1, 2, ...).
  explicit DriverComponent(ProcessState& state, CallObserver* observer = nullptr,
                           std::optional<std::int32_t> number = std::nullopt)
      : state_(state), observer_(observer), number_(number ? *number : ++state.ObjectsMade) {}
  ~DriverComponent();
  DriverComponent(const DriverComponent&) = delete;
  DriverComponent& operator=(const DriverComponent&) = delete;

  void Init();
  void Done();
  bool initialized() const { return list_ != nullptr; }
  ProcessState& state() { return state_; }
  std::int32_t number() const { return number_; }
  // The device list between Init and Done; null otherwise.
  TFPEmulatorList* devices() { return list_.get(); }

  static std::int32_t GetNMethods();
  static HResult FindMethod(std::u16string_view name, std::int32_t& number);
  static HResult GetMethodName(std::int32_t number, std::int32_t alias, std::u16string& name);
  static HResult GetNParams(std::int32_t number, std::int32_t& count);
  static HResult GetParamDefValue(std::int32_t number, std::int32_t param, Value& value);
  static HResult HasRetVal(std::int32_t number, std::int32_t& has_value);
  // Does nothing and answers kOk; the observer hears of it.
  HResult CallAsProc(std::int32_t number, ArgumentArray& params);
  HResult CallAsFunc(std::int32_t number, Value& result, ArgumentArray& params);
  HResult CallAsFunc(Method method, Value& result, ArgumentArray& params) {
    return CallAsFunc(Number(method), result, params);
  }

 private:
  // CallAsFunc without the lock and the observer.
  HResult Call(std::int32_t number, Value& result, ArgumentArray& params);
  // What a call answers when `row`'s handler throws; called in the catch
  // handler.
  void Fail(const CatalogueRow& row, Value& result, ArgumentArray& params) noexcept;
  TFPEmulator* FindDevice(std::u16string_view id) { return list_ ? list_->Find(id) : nullptr; }

  ProcessState& state_;
  CallObserver* observer_;
  std::int32_t number_;
  std::unique_ptr<TFPEmulatorList> list_;
};

}  // namespace kassivo
