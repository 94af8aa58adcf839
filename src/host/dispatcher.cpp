// CallAsFunc: the steps every call shares (the error text reset, the device
// lookup, the answer to an unknown ID or to what a method throws); the
// methods themselves are the catalogue's handlers.
#include <new>
#include <optional>

#include "common/text.h"
#include "host/component.h"
#include "host/driver_methods.h"
#include "host/fault_gate.h"
#include "host/method_call.h"
#include "host/method_catalogue.h"

namespace kassivo {

namespace {

// Most calls succeed, so the text usually reads "no errors" already and is
// left as it is.
void ResetLastError(std::optional<std::u16string>& text) {
  if (!text || !SameText(*text, kNoErrors)) text = kNoErrors;
}

// The driver's texts for what escaped a method; called in a catch handler.
std::u16string FailureText() {
  std::u16string failure;
  try {
    throw;
  } catch (const DriverError& error) {
    failure = error.message();
  } catch (const std::bad_alloc&) {
    failure = u"Недостаточно памяти для выполнения операции.";
  } catch (const std::exception& error) {
    failure = u"Внутренняя ошибка драйвера: " + FromUtf8(error.what());
  } catch (...) {
    failure = u"Внутренняя ошибка драйвера.";
  }
  if (failure.empty()) failure = u"Внутренняя ошибка драйвера.";
  return failure;
}

void PutEmptyOutputs(const AlwaysOutputs& always, ArgumentArray& params) {
  for (const int index : always.empty_indexes) {
    if (index >= 0) params.Put(index, Value::Text(u""));
  }
}

// A device row whose ID names no device: the handler is not called.
void AnswerUnknownDevice(const CatalogueRow& row, MethodCall& call) {
  if (row.device == DeviceKind::kCardPayment) {
    call.state.LastErrorText = kCardBlocked;
    return;
  }
  call.state.LastErrorText = kDeviceNotFound;
  if (row.always.id_index >= 0) call.PutId(row.always.id_index);
  PutEmptyOutputs(row.always, call.params);
}

// The row's handler, through the fault gate while a fault is set.
inline void Handle(const CatalogueRow& row, MethodCall& call) {
  if (call.state.FaultsSet) [[unlikely]] {
    CallThroughFaults(row, call);
    return;
  }
  row.handler(call);
}

}  // namespace

HResult DriverComponent::Call(std::int32_t number, Value& result, ArgumentArray& params) {
  result = Value::Boolean(false);
  const CatalogueRow* const row = MethodRow(number);
  try {
    if (number != Number(Method::kGetLastError)) ResetLastError(state_.LastErrorText);
    if (!row) return HResult::kFalse;
    MethodCall call{state_, list_.get(), nullptr, {}, result, params};
    if (row->device == DeviceKind::kNone) {
      Handle(*row, call);
      return HResult::kOk;
    }
    // The device ID: a text as it is (read in place), another kind as its
    // text.
    const Value& first = params.At(0);
    std::u16string converted;
    if (first.kind() == Value::Kind::kText) {
      call.id = first.text();
    } else {
      converted = ToText(first, state_.number_format());
      call.id = converted;
    }
    call.device = FindDevice(call.id);
    if (call.device) {
      Handle(*row, call);
    } else {
      AnswerUnknownDevice(*row, call);
    }
  } catch (...) {
    if (!row) {  // only the reset of the error text can have failed
      state_.LastErrorText.reset();
      return HResult::kFalse;
    }
    Fail(*row, result, params);
  }
  return HResult::kOk;
}

HResult DriverComponent::CallAsFunc(std::int32_t number, Value& result, ArgumentArray& params) {
  std::lock_guard<CallLock> lock(state_.call_lock);
  if (!observer_ || !observer_->BeginCall(number, params)) return Call(number, result, params);
  const HResult answer = Call(number, result, params);
  observer_->EndCall(number_, &result, answer, params);
  return answer;
}

// Builds nothing it cannot do without: when even the report runs out of
// memory, the call still answers false and the error text is left empty, not
// saying that there was none.
void DriverComponent::Fail(const CatalogueRow& row, Value& result, ArgumentArray& params) noexcept {
  result = Value::Boolean(false);
  try {
    state_.LastErrorText = FailureText();
    const int id_index = row.always.id_index;
    if (id_index >= 0) {
      params.Put(id_index, Value::Text(ToText(params.At(id_index), NumberFormat{})));
    }
    PutEmptyOutputs(row.always, params);
  } catch (...) {
    state_.LastErrorText.reset();
  }
}

}  // namespace kassivo
