// CallAsFunc: the contract table of the 42 driver methods.
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

}  // namespace

HResult DriverComponent::CallAsFunc(std::int32_t number, Value& result, ArgumentArray& params) {
  std::lock_guard<CallLock> lock(state_.call_lock);
  if (number != 2) ResetLastError(state_.LastErrorText);
  result = Value::Boolean(false);
  if (!MethodRow(number)) return HResult::kFalse;

  std::u16string failure;
  try {
    Dispatch(number, result, params);
    return HResult::kOk;
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
  result = Value::Boolean(false);
  state_.LastErrorText = failure;
  const AlwaysOutputs always = AlwaysOutputsOf(number);
  if (always.id_index >= 0) {
    params.Put(always.id_index, Value::Text(ToText(params.Get(always.id_index), NumberFormat{})));
  }
  for (const int index : always.empty_indexes) {
    if (index >= 0) params.Put(index, Value::Text(u""));
  }
  return HResult::kOk;
}

void DriverComponent::Dispatch(std::int32_t number, Value& result, ArgumentArray& p) {
  const NumberFormat& format = state_.number_format();
  auto text = [&](int i) { return ToText(p.Get(i), format); };
  // The XML inputs, megabytes at times, are read in place when they are
  // texts: `converted` holds any other kind's text. Only for a parameter
  // the method does not write.
  std::u16string converted;
  auto input = [&](int i) -> const std::u16string& {
    const Value& value = p.At(i);
    if (value.kind() == Value::Kind::kText) return value.text();
    converted = ToText(value, format);
    return converted;
  };
  auto put_text = [&](int i, std::u16string value) { p.Put(i, Value::Text(std::move(value))); };
  auto set = [&](bool ok) { result = Value::Boolean(ok); };

  // Device rows: parameter 0 is the device ID, read in place when it is a
  // text. `id` may point into parameter 0, so writing it back (put_id) is
  // its last use.
  std::u16string id_text;
  std::u16string_view id;
  TFPEmulator* device = nullptr;
  auto lookup = [&]() {
    const Value& value = p.At(0);
    if (value.kind() == Value::Kind::kText) {
      id = value.text();
    } else {
      id_text = ToText(value, format);
      id = id_text;
    }
    device = FindDevice(id);
    return device != nullptr;
  };
  auto put_id = [&](int i) { put_text(i, std::u16string(id)); };
  // The answer for an ID that no device has; "always" outputs still written.
  auto not_found = [&]() {
    state_.LastErrorText = kDeviceNotFound;
    set(false);
    const AlwaysOutputs always = AlwaysOutputsOf(number);
    if (always.id_index >= 0) put_id(always.id_index);
    for (const int index : always.empty_indexes) {
      if (index >= 0) put_text(index, u"");
    }
  };

  switch (number) {
    case 0:  // GetInterfaceRevision
      result = Value::Integer(kInterfaceRevision);
      return;
    case 1:  // GetDescription
      put_text(0, BuildDriverDescription());
      set(true);
      return;
    case 2:  // GetLastError
      p.Put(0, state_.LastErrorText ? Value::Text(*state_.LastErrorText) : Value());
      result = Value::Integer(0);
      return;
    case 3:  // GetParameters
      put_text(0, TFPEmulator::GetParamsListToXML(state_));
      set(true);
      return;
    case 4:  // SetParameter
      ApplySetting(state_.Settings, p.Get(0), p.Get(1), format);
      put_text(0, std::u16string(kNoErrors));
      set(true);
      return;
    case 5: {  // Open
      if (!list_) {
        put_text(0, u"");
        throw DriverError(u"Компонента не инициализирована.");
      }
      std::u16string new_id;
      try {
        set(list_->New(new_id));
      } catch (...) {
        put_text(0, u"");
        throw;
      }
      put_text(0, new_id);
      return;
    }
    case 7:  // DeviceTest
      put_text(0, std::u16string(kTestResult));
      put_text(1, std::u16string(kTestNotice));
      set(true);
      return;
    case 8:  // GetAdditionalActions
      put_text(0, TFPEmulator::GetAddParamsListToXML());
      set(true);
      return;
    case 9:  // DoAdditionalAction
      if (text(0) == u"Test") {
        set(true);
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
      text(0);
      p.Put(1, Value::Real(state_.platform().random->Next() / 100.0));
      set(true);
      return;
    case 34:  // Calibrate
      text(0);
      p.Put(1, Value::Integer(0));
      set(true);
      return;
    case 40:  // InitializePrinter
      text(0);
      state_.platform().messages->Show(u"InitializePrinter");
      set(true);
      return;
    case 41:  // PrintLabels
      text(0);
      state_.platform().messages->Show(text(1));
      set(true);
      return;
    case 24:    // PayByPaymentCard
    case 25:    // ReturnPaymentByPaymentCard
    case 26: {  // CancelPaymentByPaymentCard
      if (!lookup()) {
        state_.LastErrorText = kCardBlocked;
        return;
      }
      static const char16_t* const kTitles[] = {u"ОПЛАТА КАРТОЙ", u"ВОЗВРАТ ПЛАТЕЖА",
                                                u"ОТМЕНА ПЛАТЕЖА"};
      std::u16string card = text(1);
      const Value amount = p.Get(2);
      const double value = ToReal(amount, format);
      std::u16string receipt = text(3);
      std::u16string rrn, authorization, report;
      const bool ok = device->DoBillingTransaction(kTitles[number - 24], value, card, receipt, rrn,
                                                   authorization, report);
      set(ok);
      if (!ok) state_.LastErrorText = kCardBlocked;
      put_id(0);
      put_text(1, card);
      p.Put(2, amount);
      put_text(3, receipt);
      put_text(4, rrn);
      put_text(5, authorization);
      put_text(6, report);
      return;
    }
    default:
      break;
  }

  // Every remaining row is a device method.
  if (!lookup()) {
    not_found();
    return;
  }
  switch (number) {
    case 6:  // Close
      set(device->Close());
      return;
    case 10: {  // GetDataKKT
      std::u16string answer;
      const bool ok = device->GetDataKKT(answer);
      put_id(0);
      put_text(1, answer);
      set(ok);
      return;
    }
    case 11: {  // OperationFN
      const std::int32_t type = ToInteger(p.Get(1), format);
      set(device->OperationFN(type, input(2)));
      return;
    }
    case 12:    // OpenShift
    case 13:    // CloseShift
    case 19:    // GetCurrentStatus
    case 20: {  // ReportCurrentStatusOfSettlements
      std::u16string in = text(1);
      std::u16string out;
      bool ok = false;
      if (number == 12) ok = device->OpenShift(in, out);
      if (number == 13) ok = device->CloseShift(in, out);
      if (number == 19) ok = device->GetCurrentStatus(in, out);
      if (number == 20) ok = device->ReportCurrentStatus(in, out);
      put_text(2, out);
      set(ok);
      return;
    }
    case 14: {  // ProcessCheck
      const bool electronically = ToBoolean(p.Get(1), format);
      std::u16string out;
      const bool ok = device->ProcessCheck(electronically, false, input(2), out);
      put_text(3, out);
      set(ok);
      return;
    }
    case 15: {  // PrintTextDocument
      const bool ok = device->PrintTextDocument(input(1));
      put_id(0);
      set(ok);
      return;
    }
    case 16: {  // ProcessCorrectionCheck
      std::u16string out;
      const bool ok = device->ProcessCheck(false, true, input(1), out);
      put_text(2, out);
      set(ok);
      return;
    }
    case 17:  // PrintCheckCopy
      text(1);
      set(device->PrintCheckCopy());
      return;
    case 18: {  // CashInOutcome
      const std::u16string in = text(1);
      set(device->CashInOutcome(in, ToReal(p.Get(2), format)));
      return;
    }
    case 21:  // PrintXReport
      set(device->PrintXReport(text(1)));
      return;
    case 22:  // OpenCashDrawer
      set(device->OpenCashDrawer());
      return;
    case 23:  // GetLineLength
      p.Put(1, Value::Integer(device->GetLineLength()));
      set(true);
      return;
    case 31: {  // Settlement
      std::u16string report;
      const bool ok = device->Settlement(report);
      put_id(0);
      put_text(1, report);
      set(ok);
      return;
    }
    case 35:  // OpenSessionRegistrationKM
    case 36:  // CloseSessionRegistrationKM
      set(device->SessionRegistrationKM(number == 35));
      return;
    case 37: {  // RequestKM
      std::u16string in = text(1);
      std::u16string out;
      const bool ok = device->RequestKM(in, out);
      put_id(0);
      put_text(1, in);
      put_text(2, out);
      set(ok);
      return;
    }
    case 38: {  // GetProcessingKMResult
      std::u16string out;
      device->GetProcessingKMResult(out);
      put_id(0);
      put_text(1, out);
      p.Put(2, Value::Integer(0));
      set(true);
      return;
    }
    case 39: {  // ConfirmKM
      std::u16string in = text(1);
      std::int32_t kind = ToInteger(p.Get(2), format);
      const bool ok = device->ConfirmKM(in, kind);
      put_id(0);
      put_text(1, in);
      p.Put(2, Value::Integer(kind));
      set(ok);
      return;
    }
    default:
      return;
  }
}

}  // namespace kassivo
