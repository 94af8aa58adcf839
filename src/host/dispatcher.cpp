// CallAsFunc: the contract table of the 42 driver methods.
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>

#include "common/text.h"
#include "host/component.h"
#include "host/driver_methods.h"
#include "host/method_table.h"

namespace kassivo {

namespace {

constexpr const char16_t* kCardBlocked = u"Карта заблокирована";

// The parameters a row writes back whatever happens: the device ID (as read)
// and the outputs that fall back to empty text.
struct AlwaysOutputs {
  int id_index = -1;
  int empty_indexes[2] = {-1, -1};
};

AlwaysOutputs AlwaysOutputsOf(std::int32_t number) {
  switch (number) {
    case 10:  // GetDataKKT
      return {0, {1, -1}};
    case 12:  // OpenShift
    case 13:  // CloseShift
    case 16:  // ProcessCorrectionCheck
    case 19:  // GetCurrentStatus
    case 20:  // ReportCurrentStatusOfSettlements
      return {-1, {2, -1}};
    case 14:  // ProcessCheck
      return {-1, {3, -1}};
    case 15:  // PrintTextDocument
      return {0, {-1, -1}};
    default:
      return {};
  }
}

// Most calls succeed, so the text already reads "no errors" as a rule: it is
// compared (a fixed-size compare the compiler inlines) rather than rewritten.
void ResetLastError(std::optional<std::u16string>& text) {
  if (text && text->size() == kNoErrors.size() &&
      std::memcmp(text->data(), kNoErrors.data(), kNoErrors.size() * sizeof(char16_t)) == 0) {
    return;
  }
  text = kNoErrors;
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

std::u16string TextOf(const ArgumentArray& p, int i, const NumberFormat& format) {
  return ToText(p.At(i), format);
}

void PutText(ArgumentArray& p, int i, std::u16string value) {
  p.Put(i, Value::Text(std::move(value)));
}

// The XML inputs, megabytes at times, are read in place when they are texts:
// `converted` receives any other kind's text. Only for a parameter the method
// does not write.
const std::u16string& InputText(const ArgumentArray& p, int i, const NumberFormat& format,
                                std::u16string& converted) {
  const Value& value = p.At(i);
  if (value.kind() == Value::Kind::kText) return value.text();
  converted = ToText(value, format);
  return converted;
}

bool IsCardPayment(std::int32_t number) {
  return number >= 24 && number <= 26;  // Pay, Return, CancelPaymentByPaymentCard
}

// The rows whose parameter 0 is a device ID, a bit each.
constexpr std::uint64_t DeviceRows() {
  std::uint64_t rows = 0;
  for (const int number : {6,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                           21, 22, 23, 24, 25, 26, 31, 35, 36, 37, 38, 39}) {
    rows |= std::uint64_t{1} << number;
  }
  return rows;
}
constexpr std::uint64_t kDeviceRows = DeviceRows();

// For a number in 0..41.
bool IsDeviceRow(std::int32_t number) {
  return (kDeviceRows >> number & 1) != 0;
}

}  // namespace

HResult DriverComponent::CallAsFunc(std::int32_t number, Value& result, ArgumentArray& params) {
  std::lock_guard<CallLock> lock(state_.call_lock);
  if (number != 2) ResetLastError(state_.LastErrorText);
  result = Value::Boolean(false);
  if (!IsMethodNumber(number)) return HResult::kFalse;
  try {
    const Value& id = params.At(0);
    if (!IsDeviceRow(number)) {
      Dispatch(number, result, params);
    } else if (id.kind() == Value::Kind::kText) {
      DispatchDevice(number, id.text(), result, params);
    } else {
      DispatchDeviceByConvertedId(number, result, params);
    }
  } catch (...) {
    Fail(number, result, params);
  }
  return HResult::kOk;
}

// Kept apart from CallAsFunc so that the common path builds no text.
void DriverComponent::Fail(std::int32_t number, Value& result, ArgumentArray& params) {
  std::u16string failure = FailureText();
  result = Value::Boolean(false);
  state_.LastErrorText = std::move(failure);
  const AlwaysOutputs always = AlwaysOutputsOf(number);
  if (always.id_index >= 0) {
    PutText(params, always.id_index, ToText(params.Get(always.id_index), NumberFormat{}));
  }
  for (const int index : always.empty_indexes) {
    if (index >= 0) PutText(params, index, u"");
  }
}

// The rows that need no device.
void DriverComponent::Dispatch(std::int32_t number, Value& result, ArgumentArray& p) {
  const NumberFormat& format = state_.number_format();
  switch (number) {
    case 0:  // GetInterfaceRevision
      result = Value::Integer(kInterfaceRevision);
      return;
    case 1:  // GetDescription
      PutText(p, 0, BuildDriverDescription());
      result = Value::Boolean(true);
      return;
    case 2:  // GetLastError
      p.Put(0, state_.LastErrorText ? Value::Text(*state_.LastErrorText) : Value());
      result = Value::Integer(0);
      return;
    case 3:  // GetParameters
      PutText(p, 0, TFPEmulator::GetParamsListToXML(state_));
      result = Value::Boolean(true);
      return;
    case 4:  // SetParameter
      ApplySetting(state_.Settings, p.Get(0), p.Get(1), format);
      PutText(p, 0, std::u16string(kNoErrors));
      result = Value::Boolean(true);
      return;
    case 5: {  // Open
      if (!list_) {
        PutText(p, 0, u"");
        throw DriverError(u"Компонента не инициализирована.");
      }
      std::u16string new_id;
      try {
        result = Value::Boolean(list_->New(new_id));
      } catch (...) {
        PutText(p, 0, u"");
        throw;
      }
      PutText(p, 0, std::move(new_id));
      return;
    }
    case 7:  // DeviceTest
      PutText(p, 0, std::u16string(kTestResult));
      PutText(p, 1, std::u16string(kTestNotice));
      result = Value::Boolean(true);
      return;
    case 8:  // GetAdditionalActions
      PutText(p, 0, TFPEmulator::GetAddParamsListToXML());
      result = Value::Boolean(true);
      return;
    case 9:  // DoAdditionalAction
      if (TextOf(p, 0, format) == u"Test") {
        result = Value::Boolean(true);
      } else {
        state_.LastErrorText = kUndefinedAction;
      }
      return;
    case 27:  // AuthorisationByPaymentCard
    case 28:  // AuthConfirmationByPaymentCard
    case 29:  // CancelAuthorisationByPaymentCard
      state_.LastErrorText = u"Операция не поддерживается";
      return;
    case 30:  // EmergencyReversal
      state_.LastErrorText = u"Ошибка аварийной отмены";
      return;
    case 32:  // PrintSlipOnTerminal
      return;
    case 33:  // GetWeight
      TextOf(p, 0, format);
      p.Put(1, Value::Real(state_.platform().random->Next() / 100.0));
      result = Value::Boolean(true);
      return;
    case 34:  // Calibrate
      TextOf(p, 0, format);
      p.Put(1, Value::Integer(0));
      result = Value::Boolean(true);
      return;
    case 40:  // InitializePrinter
      TextOf(p, 0, format);
      state_.platform().messages->Show(u"InitializePrinter");
      result = Value::Boolean(true);
      return;
    case 41:  // PrintLabels
      TextOf(p, 0, format);
      state_.platform().messages->Show(TextOf(p, 1, format));
      result = Value::Boolean(true);
      return;
    default:
      return;
  }
}

void DriverComponent::DispatchDeviceByConvertedId(std::int32_t number, Value& result,
                                                  ArgumentArray& p) {
  const std::u16string id = ToText(p.At(0), state_.number_format());
  DispatchDevice(number, id, result, p);
}

// `id` may point into parameter 0, so writing it back (put_id) is its last
// use.
void DriverComponent::DispatchDevice(std::int32_t number, std::u16string_view id, Value& result,
                                     ArgumentArray& p) {
  const NumberFormat& format = state_.number_format();
  auto put_id = [&p, id](int i) { PutText(p, i, std::u16string(id)); };

  TFPEmulator* const device = FindDevice(id);
  if (!device) {
    if (IsCardPayment(number)) {
      state_.LastErrorText = kCardBlocked;
      return;
    }
    // The answer for an ID that no device has; "always" outputs still written.
    state_.LastErrorText = kDeviceNotFound;
    result = Value::Boolean(false);
    const AlwaysOutputs always = AlwaysOutputsOf(number);
    if (always.id_index >= 0) put_id(always.id_index);
    for (const int index : always.empty_indexes) {
      if (index >= 0) PutText(p, index, u"");
    }
    return;
  }

  switch (number) {
    case 6:  // Close
      result = Value::Boolean(device->Close());
      return;
    case 10: {  // GetDataKKT
      std::u16string answer;
      const bool ok = device->GetDataKKT(answer);
      put_id(0);
      PutText(p, 1, std::move(answer));
      result = Value::Boolean(ok);
      return;
    }
    case 11: {  // OperationFN
      const std::int32_t type = ToInteger(p.At(1), format);
      std::u16string converted;
      result = Value::Boolean(device->OperationFN(type, InputText(p, 2, format, converted)));
      return;
    }
    case 12:    // OpenShift
    case 13:    // CloseShift
    case 19:    // GetCurrentStatus
    case 20: {  // ReportCurrentStatusOfSettlements
      std::u16string in = TextOf(p, 1, format);
      std::u16string out;
      bool ok = false;
      if (number == 12) ok = device->OpenShift(in, out);
      if (number == 13) ok = device->CloseShift(in, out);
      if (number == 19) ok = device->GetCurrentStatus(in, out);
      if (number == 20) ok = device->ReportCurrentStatus(in, out);
      PutText(p, 2, std::move(out));
      result = Value::Boolean(ok);
      return;
    }
    case 14: {  // ProcessCheck
      const bool electronically = ToBoolean(p.At(1), format);
      std::u16string converted;
      std::u16string out;
      const bool ok =
          device->ProcessCheck(electronically, false, InputText(p, 2, format, converted), out);
      PutText(p, 3, std::move(out));
      result = Value::Boolean(ok);
      return;
    }
    case 15: {  // PrintTextDocument
      std::u16string converted;
      const bool ok = device->PrintTextDocument(InputText(p, 1, format, converted));
      put_id(0);
      result = Value::Boolean(ok);
      return;
    }
    case 16: {  // ProcessCorrectionCheck
      std::u16string converted;
      std::u16string out;
      const bool ok = device->ProcessCheck(false, true, InputText(p, 1, format, converted), out);
      PutText(p, 2, std::move(out));
      result = Value::Boolean(ok);
      return;
    }
    case 17:  // PrintCheckCopy
      TextOf(p, 1, format);
      result = Value::Boolean(device->PrintCheckCopy());
      return;
    case 18: {  // CashInOutcome
      const std::u16string in = TextOf(p, 1, format);
      result = Value::Boolean(device->CashInOutcome(in, ToReal(p.At(2), format)));
      return;
    }
    case 21:  // PrintXReport
      result = Value::Boolean(device->PrintXReport(TextOf(p, 1, format)));
      return;
    case 22:  // OpenCashDrawer
      result = Value::Boolean(device->OpenCashDrawer());
      return;
    case 23:  // GetLineLength
      p.Put(1, Value::Integer(device->GetLineLength()));
      result = Value::Boolean(true);
      return;
    case 24:    // PayByPaymentCard
    case 25:    // ReturnPaymentByPaymentCard
    case 26: {  // CancelPaymentByPaymentCard
      static const char16_t* const kTitles[] = {u"ОПЛАТА КАРТОЙ", u"ВОЗВРАТ ПЛАТЕЖА",
                                                u"ОТМЕНА ПЛАТЕЖА"};
      std::u16string card = TextOf(p, 1, format);
      const Value amount = p.Get(2);
      const double value = ToReal(amount, format);
      std::u16string receipt = TextOf(p, 3, format);
      std::u16string rrn, authorization, report;
      const bool ok = device->DoBillingTransaction(kTitles[number - 24], value, card, receipt, rrn,
                                                   authorization, report);
      result = Value::Boolean(ok);
      if (!ok) state_.LastErrorText = kCardBlocked;
      put_id(0);
      PutText(p, 1, std::move(card));
      p.Put(2, amount);
      PutText(p, 3, std::move(receipt));
      PutText(p, 4, std::move(rrn));
      PutText(p, 5, std::move(authorization));
      PutText(p, 6, std::move(report));
      return;
    }
    case 31: {  // Settlement
      std::u16string report;
      const bool ok = device->Settlement(report);
      put_id(0);
      PutText(p, 1, std::move(report));
      result = Value::Boolean(ok);
      return;
    }
    case 35:  // OpenSessionRegistrationKM
    case 36:  // CloseSessionRegistrationKM
      result = Value::Boolean(device->SessionRegistrationKM(number == 35));
      return;
    case 37: {  // RequestKM
      std::u16string in = TextOf(p, 1, format);
      std::u16string out;
      const bool ok = device->RequestKM(in, out);
      put_id(0);
      PutText(p, 1, std::move(in));
      PutText(p, 2, std::move(out));
      result = Value::Boolean(ok);
      return;
    }
    case 38: {  // GetProcessingKMResult
      std::u16string out;
      device->GetProcessingKMResult(out);
      put_id(0);
      PutText(p, 1, std::move(out));
      p.Put(2, Value::Integer(0));
      result = Value::Boolean(true);
      return;
    }
    case 39: {  // ConfirmKM
      std::u16string in = TextOf(p, 1, format);
      std::int32_t kind = ToInteger(p.At(2), format);
      const bool ok = device->ConfirmKM(in, kind);
      put_id(0);
      PutText(p, 1, std::move(in));
      p.Put(2, Value::Integer(kind));
      result = Value::Boolean(ok);
      return;
    }
    default:
      return;
  }
}

}  // namespace kassivo
