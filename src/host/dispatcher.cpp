// CallAsFunc: the contract table of the 42 driver methods.
#include <array>
#include <cstdint>
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

// Most calls succeed, so the text usually reads "no errors" already and is
// left as it is.
void ResetLastError(std::optional<std::u16string>& text) {
  if (text != kNoErrors) text = kNoErrors;
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

// The device rows: one function each, called with the device the ID names.
// `id` may point into parameter 0, so writing it back (PutId) is its last
// use.
using DeviceRow = void (*)(TFPEmulator& device, std::u16string_view id, Value& result,
                           ArgumentArray& p);

const NumberFormat& FormatOf(TFPEmulator& device) {
  return device.state().number_format();
}

void PutId(ArgumentArray& p, int i, std::u16string_view id) {
  PutText(p, i, std::u16string(id));
}

void Close(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray&) {
  result = Value::Boolean(device.Close());
}

void GetDataKKT(TFPEmulator& device, std::u16string_view id, Value& result, ArgumentArray& p) {
  std::u16string answer;
  const bool ok = device.GetDataKKT(answer);
  PutId(p, 0, id);
  PutText(p, 1, std::move(answer));
  result = Value::Boolean(ok);
}

void OperationFN(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray& p) {
  const NumberFormat& format = FormatOf(device);
  const std::int32_t type = ToInteger(p.At(1), format);
  std::u16string converted;
  result = Value::Boolean(device.OperationFN(type, InputText(p, 2, format, converted)));
}

// OpenShift, CloseShift, GetCurrentStatus, ReportCurrentStatusOfSettlements.
template <bool (TFPEmulator::*kMethod)(std::u16string&, std::u16string&)>
void ShiftRow(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray& p) {
  std::u16string in = TextOf(p, 1, FormatOf(device));
  std::u16string out;
  const bool ok = (device.*kMethod)(in, out);
  PutText(p, 2, std::move(out));
  result = Value::Boolean(ok);
}

void ProcessCheck(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray& p) {
  const NumberFormat& format = FormatOf(device);
  const bool electronically = ToBoolean(p.At(1), format);
  std::u16string converted;
  std::u16string out;
  const bool ok =
      device.ProcessCheck(electronically, false, InputText(p, 2, format, converted), out);
  PutText(p, 3, std::move(out));
  result = Value::Boolean(ok);
}

void PrintTextDocument(TFPEmulator& device, std::u16string_view id, Value& result,
                       ArgumentArray& p) {
  std::u16string converted;
  const bool ok = device.PrintTextDocument(InputText(p, 1, FormatOf(device), converted));
  PutId(p, 0, id);
  result = Value::Boolean(ok);
}

void ProcessCorrectionCheck(TFPEmulator& device, std::u16string_view, Value& result,
                            ArgumentArray& p) {
  std::u16string converted;
  std::u16string out;
  const bool ok =
      device.ProcessCheck(false, true, InputText(p, 1, FormatOf(device), converted), out);
  PutText(p, 2, std::move(out));
  result = Value::Boolean(ok);
}

void PrintCheckCopy(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray& p) {
  TextOf(p, 1, FormatOf(device));
  result = Value::Boolean(device.PrintCheckCopy());
}

void CashInOutcome(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray& p) {
  const NumberFormat& format = FormatOf(device);
  const std::u16string in = TextOf(p, 1, format);
  result = Value::Boolean(device.CashInOutcome(in, ToReal(p.At(2), format)));
}

void PrintXReport(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray& p) {
  result = Value::Boolean(device.PrintXReport(TextOf(p, 1, FormatOf(device))));
}

void OpenCashDrawer(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray&) {
  result = Value::Boolean(device.OpenCashDrawer());
}

void GetLineLength(TFPEmulator& device, std::u16string_view, Value& result, ArgumentArray& p) {
  p.Put(1, Value::Integer(device.GetLineLength()));
  result = Value::Boolean(true);
}

// PayByPaymentCard, ReturnPaymentByPaymentCard, CancelPaymentByPaymentCard.
template <const char16_t* kTitle>
void CardPayment(TFPEmulator& device, std::u16string_view id, Value& result, ArgumentArray& p) {
  const NumberFormat& format = FormatOf(device);
  std::u16string card = TextOf(p, 1, format);
  const Value amount = p.Get(2);
  const double value = ToReal(amount, format);
  std::u16string receipt = TextOf(p, 3, format);
  std::u16string rrn, authorization, report;
  const bool ok =
      device.DoBillingTransaction(kTitle, value, card, receipt, rrn, authorization, report);
  result = Value::Boolean(ok);
  if (!ok) device.state().LastErrorText = kCardBlocked;
  PutId(p, 0, id);
  PutText(p, 1, std::move(card));
  p.Put(2, amount);
  PutText(p, 3, std::move(receipt));
  PutText(p, 4, std::move(rrn));
  PutText(p, 5, std::move(authorization));
  PutText(p, 6, std::move(report));
}
constexpr char16_t kPaymentTitle[] = u"ОПЛАТА КАРТОЙ";
constexpr char16_t kReturnTitle[] = u"ВОЗВРАТ ПЛАТЕЖА";
constexpr char16_t kCancelTitle[] = u"ОТМЕНА ПЛАТЕЖА";

void Settlement(TFPEmulator& device, std::u16string_view id, Value& result, ArgumentArray& p) {
  std::u16string report;
  const bool ok = device.Settlement(report);
  PutId(p, 0, id);
  PutText(p, 1, std::move(report));
  result = Value::Boolean(ok);
}

// OpenSessionRegistrationKM, CloseSessionRegistrationKM.
template <bool kOpen>
void SessionRegistrationKM(TFPEmulator& device, std::u16string_view, Value& result,
                           ArgumentArray&) {
  result = Value::Boolean(device.SessionRegistrationKM(kOpen));
}

void RequestKM(TFPEmulator& device, std::u16string_view id, Value& result, ArgumentArray& p) {
  std::u16string in = TextOf(p, 1, FormatOf(device));
  std::u16string out;
  const bool ok = device.RequestKM(in, out);
  PutId(p, 0, id);
  PutText(p, 1, std::move(in));
  PutText(p, 2, std::move(out));
  result = Value::Boolean(ok);
}

void GetProcessingKMResult(TFPEmulator& device, std::u16string_view id, Value& result,
                           ArgumentArray& p) {
  std::u16string out;
  device.GetProcessingKMResult(out);
  PutId(p, 0, id);
  PutText(p, 1, std::move(out));
  p.Put(2, Value::Integer(0));
  result = Value::Boolean(true);
}

void ConfirmKM(TFPEmulator& device, std::u16string_view id, Value& result, ArgumentArray& p) {
  const NumberFormat& format = FormatOf(device);
  std::u16string in = TextOf(p, 1, format);
  std::int32_t kind = ToInteger(p.At(2), format);
  const bool ok = device.ConfirmKM(in, kind);
  PutId(p, 0, id);
  PutText(p, 1, std::move(in));
  p.Put(2, Value::Integer(kind));
  result = Value::Boolean(ok);
}

// Null for the rows that need no device.
constexpr std::array<DeviceRow, kMethodCount> DeviceRows() {
  std::array<DeviceRow, kMethodCount> rows{};
  rows[6] = Close;
  rows[10] = GetDataKKT;
  rows[11] = OperationFN;
  rows[12] = ShiftRow<&TFPEmulator::OpenShift>;
  rows[13] = ShiftRow<&TFPEmulator::CloseShift>;
  rows[14] = ProcessCheck;
  rows[15] = PrintTextDocument;
  rows[16] = ProcessCorrectionCheck;
  rows[17] = PrintCheckCopy;
  rows[18] = CashInOutcome;
  rows[19] = ShiftRow<&TFPEmulator::GetCurrentStatus>;
  rows[20] = ShiftRow<&TFPEmulator::ReportCurrentStatus>;
  rows[21] = PrintXReport;
  rows[22] = OpenCashDrawer;
  rows[23] = GetLineLength;
  rows[24] = CardPayment<kPaymentTitle>;
  rows[25] = CardPayment<kReturnTitle>;
  rows[26] = CardPayment<kCancelTitle>;
  rows[31] = Settlement;
  rows[35] = SessionRegistrationKM<true>;
  rows[36] = SessionRegistrationKM<false>;
  rows[37] = RequestKM;
  rows[38] = GetProcessingKMResult;
  rows[39] = ConfirmKM;
  return rows;
}
constexpr std::array<DeviceRow, kMethodCount> kDeviceRows = DeviceRows();

}  // namespace

HResult DriverComponent::Call(std::int32_t number, Value& result, ArgumentArray& params) {
  result = Value::Boolean(false);
  const bool known = IsMethodNumber(number);
  try {
    if (number != 2) ResetLastError(state_.LastErrorText);
    if (!known) return HResult::kFalse;
    // A device row given a text that names a device goes straight to its
    // function; an ID of another kind or one no device has, the long way.
    const DeviceRow row = kDeviceRows[static_cast<std::size_t>(number)];
    const Value& first = params.At(0);
    const std::u16string_view id =
        first.kind() == Value::Kind::kText ? std::u16string_view(first.text()) : u"";
    TFPEmulator* const device =
        row && first.kind() == Value::Kind::kText ? FindDevice(id) : nullptr;
    if (!row) {
      Dispatch(number, result, params);
    } else if (device) {
      row(*device, id, result, params);
    } else {
      DispatchDeviceByIdText(number, result, params);
    }
  } catch (...) {
    if (!known) {  // only the reset of the error text can have failed
      state_.LastErrorText.reset();
      return HResult::kFalse;
    }
    Fail(number, result, params);
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

// Kept apart from CallAsFunc so that the common path builds no text.
// Builds nothing it cannot do without: when even the report runs out of
// memory, the call still answers false and the error text is left empty, not
// saying that there was none.
void DriverComponent::Fail(std::int32_t number, Value& result, ArgumentArray& params) noexcept {
  result = Value::Boolean(false);
  try {
    state_.LastErrorText = FailureText();
    const AlwaysOutputs always = AlwaysOutputsOf(number);
    if (always.id_index >= 0) {
      PutText(params, always.id_index, ToText(params.Get(always.id_index), NumberFormat{}));
    }
    for (const int index : always.empty_indexes) {
      if (index >= 0) PutText(params, index, u"");
    }
  } catch (...) {
    state_.LastErrorText.reset();
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

void DriverComponent::DispatchDeviceByIdText(std::int32_t number, Value& result, ArgumentArray& p) {
  const std::u16string id = ToText(p.At(0), state_.number_format());
  TFPEmulator* const device = FindDevice(id);
  if (device) {
    kDeviceRows[static_cast<std::size_t>(number)](*device, id, result, p);
    return;
  }
  if (IsCardPayment(number)) {
    state_.LastErrorText = kCardBlocked;
    return;
  }
  // The answer for an ID that no device has; "always" outputs still written.
  state_.LastErrorText = kDeviceNotFound;
  result = Value::Boolean(false);
  const AlwaysOutputs always = AlwaysOutputsOf(number);
  if (always.id_index >= 0) PutText(p, always.id_index, id);
  for (const int index : always.empty_indexes) {
    if (index >= 0) PutText(p, index, u"");
  }
}

}  // namespace kassivo
