#include "host/driver_rows.h"

#include "device/settings.h"
#include "host/driver_methods.h"

namespace kassivo::driver_rows {

void GetInterfaceRevision(MethodCall& call) {
  call.result = Value::Integer(kInterfaceRevision);
}

void GetDescription(MethodCall& call) {
  call.PutText(0, BuildDriverDescription(call.state.Options.Journal));
  call.Answer(true);
}

void GetLastError(MethodCall& call) {
  const std::optional<std::u16string>& text = call.state.LastErrorText;
  call.params.Put(0, text ? Value::Text(*text) : Value());
  call.result = Value::Integer(0);
}

void GetParameters(MethodCall& call) {
  call.PutText(0, TFPEmulator::GetParamsListToXML(call.state));
  call.Answer(true);
}

void SetParameter(MethodCall& call) {
  ApplySetting(call.state.Settings, call.params.Get(0), call.params.Get(1), call.format());
  call.PutText(0, std::u16string(kNoErrors));
  call.Answer(true);
}

void Open(MethodCall& call) {
  if (!call.devices) {
    call.PutText(0, u"");
    throw DriverError(u"Компонента не инициализирована.");
  }
  std::u16string new_id;
  try {
    call.Answer(call.devices->New(new_id));
  } catch (...) {
    call.PutText(0, u"");
    throw;
  }
  call.PutText(0, std::move(new_id));
}

void DeviceTest(MethodCall& call) {
  call.PutText(0, std::u16string(kTestResult));
  call.PutText(1, std::u16string(kTestNotice));
  call.Answer(true);
}

void GetAdditionalActions(MethodCall& call) {
  call.PutText(0, TFPEmulator::GetAddParamsListToXML());
  call.Answer(true);
}

void DoAdditionalAction(MethodCall& call) {
  if (call.Text(0) == u"Test") {
    call.Answer(true);
  } else {
    call.state.LastErrorText = kUndefinedAction;
  }
}

void PreauthorisationUnsupported(MethodCall& call) {
  call.state.LastErrorText = u"Операция не поддерживается";
}

void EmergencyReversal(MethodCall& call) {
  call.state.LastErrorText = u"Ошибка аварийной отмены";
}

void PrintSlipOnTerminal(MethodCall&) {}

// The scales and the label printer read their device ID and need no device.

void GetWeight(MethodCall& call) {
  call.Text(0);
  call.params.Put(1, Value::Real(call.state.platform().random->Next() / 100.0));
  call.Answer(true);
}

void Calibrate(MethodCall& call) {
  call.Text(0);
  call.params.Put(1, Value::Integer(0));
  call.Answer(true);
}

void InitializePrinter(MethodCall& call) {
  call.Text(0);
  call.state.platform().messages->Show(u"InitializePrinter");
  call.Answer(true);
}

void PrintLabels(MethodCall& call) {
  call.Text(0);
  call.state.platform().messages->Show(call.Text(1));
  call.Answer(true);
}

}  // namespace kassivo::driver_rows
