#include "host/device_rows.h"

#include "acquiring/card_faults.h"
#include "host/driver_methods.h"

namespace kassivo::device_rows {

namespace {

// The shift and status rows: InputParameters in, the answer out.
void ShiftRow(MethodCall& call, bool (TFPEmulator::*method)(std::u16string&, std::u16string&)) {
  std::u16string in = call.Text(1);
  std::u16string out;
  const bool ok = (call.device->*method)(in, out);
  call.PutText(2, std::move(out));
  call.Answer(ok);
}

// The payment rows: every parameter but the amount's written back as text.
void CardPayment(MethodCall& call, const char16_t* title) {
  // A terminal that does not answer touches nothing.
  if (const std::u16string_view refusal = RefusalOfCardMethod(call.state, CardMethod::kOperation);
      !refusal.empty()) {
    call.state.LastErrorText = std::u16string(refusal);
    return;
  }
  std::u16string card = call.Text(1);
  const Value amount = call.params.Get(2);
  const double value = ToReal(amount, call.format());
  std::u16string receipt = call.Text(3);
  std::u16string rrn, authorization, report;
  const bool ok =
      call.device->DoBillingTransaction(title, value, card, receipt, rrn, authorization, report);
  call.Answer(ok);
  call.PutId(0);
  call.PutText(1, std::move(card));
  call.params.Put(2, amount);
  call.PutText(3, std::move(receipt));
  call.PutText(4, std::move(rrn));
  call.PutText(5, std::move(authorization));
  call.PutText(6, std::move(report));
}

}  // namespace

void Close(MethodCall& call) {
  call.Answer(call.device->Close());
}

void GetDataKKT(MethodCall& call) {
  std::u16string answer;
  const bool ok = call.device->GetDataKKT(answer);
  call.PutId(0);
  call.PutText(1, std::move(answer));
  call.Answer(ok);
}

void OperationFN(MethodCall& call) {
  const std::int32_t type = ToInteger(call.params.At(1), call.format());
  std::u16string converted;
  call.Answer(call.device->OperationFN(type, call.InputText(2, converted)));
}

void OpenShift(MethodCall& call) {
  ShiftRow(call, &TFPEmulator::OpenShift);
}

void CloseShift(MethodCall& call) {
  ShiftRow(call, &TFPEmulator::CloseShift);
}

void GetCurrentStatus(MethodCall& call) {
  ShiftRow(call, &TFPEmulator::GetCurrentStatus);
}

void ReportCurrentStatusOfSettlements(MethodCall& call) {
  ShiftRow(call, &TFPEmulator::ReportCurrentStatus);
}

void PrintXReport(MethodCall& call) {
  call.Answer(call.device->PrintXReport(call.Text(1)));
}

void ProcessCheck(MethodCall& call) {
  const bool electronically = ToBoolean(call.params.At(1), call.format());
  std::u16string converted;
  std::u16string out;
  const bool ok =
      call.device->ProcessCheck(electronically, false, call.InputText(2, converted), out);
  call.PutText(3, std::move(out));
  call.Answer(ok);
}

void ProcessCorrectionCheck(MethodCall& call) {
  std::u16string converted;
  std::u16string out;
  const bool ok = call.device->ProcessCheck(false, true, call.InputText(1, converted), out);
  call.PutText(2, std::move(out));
  call.Answer(ok);
}

void PrintTextDocument(MethodCall& call) {
  std::u16string converted;
  const bool ok = call.device->PrintTextDocument(call.InputText(1, converted));
  call.PutId(0);
  call.Answer(ok);
}

void PrintCheckCopy(MethodCall& call) {
  call.Text(1);
  call.Answer(call.device->PrintCheckCopy());
}

void CashInOutcome(MethodCall& call) {
  const std::u16string in = call.Text(1);
  call.Answer(call.device->CashInOutcome(in, ToReal(call.params.At(2), call.format())));
}

void OpenCashDrawer(MethodCall& call) {
  call.Answer(call.device->OpenCashDrawer());
}

void GetLineLength(MethodCall& call) {
  call.params.Put(1, Value::Integer(call.device->GetLineLength()));
  call.Answer(true);
}

void PayByPaymentCard(MethodCall& call) {
  CardPayment(call, u"ОПЛАТА КАРТОЙ");
}

void ReturnPaymentByPaymentCard(MethodCall& call) {
  CardPayment(call, u"ВОЗВРАТ ПЛАТЕЖА");
}

void CancelPaymentByPaymentCard(MethodCall& call) {
  CardPayment(call, u"ОТМЕНА ПЛАТЕЖА");
}

void Settlement(MethodCall& call) {
  std::u16string report;
  const bool ok = call.device->Settlement(report);
  call.PutId(0);
  call.PutText(1, std::move(report));
  call.Answer(ok);
}

void OpenSessionRegistrationKM(MethodCall& call) {
  call.Answer(call.device->SessionRegistrationKM(true));
}

void CloseSessionRegistrationKM(MethodCall& call) {
  call.Answer(call.device->SessionRegistrationKM(false));
}

void RequestKM(MethodCall& call) {
  std::u16string in = call.Text(1);
  std::u16string out;
  const bool ok = call.device->RequestKM(in, out);
  call.PutId(0);
  call.PutText(1, std::move(in));
  call.PutText(2, std::move(out));
  call.Answer(ok);
}

void GetProcessingKMResult(MethodCall& call) {
  std::u16string out;
  call.device->GetProcessingKMResult(out);
  call.PutId(0);
  call.PutText(1, std::move(out));
  call.params.Put(2, Value::Integer(0));
  call.Answer(true);
}

void ConfirmKM(MethodCall& call) {
  std::u16string in = call.Text(1);
  std::int32_t kind = ToInteger(call.params.At(2), call.format());
  const bool ok = call.device->ConfirmKM(in, kind);
  call.PutId(0);
  call.PutText(1, std::move(in));
  call.params.Put(2, Value::Integer(kind));
  call.Answer(ok);
}

}  // namespace kassivo::device_rows
