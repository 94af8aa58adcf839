#include "host/driver_rows.h"

#include "acquiring/card_faults.h"
#include "device/fault_messages.h"
#include "device/settings.h"
#include "host/driver_methods.h"
#include "host/fault_actions.h"

namespace kassivo::driver_rows {

void GetInterfaceRevision(MethodCall& call) {
  call.result = Value::Integer(kInterfaceRevision);
}

void GetDescription(MethodCall& call) {
  call.PutText(0, BuildDriverDescription(call.state.JournalInUse));
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
  call.PutText(0, AdditionalActionsXml(call.state));
  call.Answer(true);
}

void DoAdditionalAction(MethodCall& call) {
  const std::u16string name = call.Text(0);
  if (const std::optional<bool> done = DoFaultAction(call.state, name)) {
    call.Answer(*done);
  } else if (name == u"Test") {
    call.Answer(true);
  } else {
    call.state.LastErrorText = kUndefinedAction;
  }
}

namespace {

// The card methods that need no device; a terminal that does not answer
// refuses them first.
bool TerminalRefuses(MethodCall& call) {
  const std::u16string_view refusal = RefusalOfCardMethod(call.state, CardMethod::kOther);
  if (!refusal.empty()) call.state.LastErrorText = std::u16string(refusal);
  return !refusal.empty();
}

// A peripheral that failed: false, the message as the error and in the
// receipt window's status line; nothing else written or shown.
bool Refuse(MethodCall& call, std::u16string_view message) {
  if (message.empty()) return false;
  call.state.LastErrorText = std::u16string(message);
  call.state.Receipt.SetStatus(std::u16string(message));
  return true;
}

std::u16string_view ScaleRefusal(ScaleFault fault) {
  switch (fault) {
    case ScaleFault::kUnstable:
      return kScaleUnstableMessage;
    case ScaleFault::kOverload:
      return kScaleOverloadMessage;
    case ScaleFault::kNegative:
      return kScaleNegativeMessage;
    case ScaleFault::kOffline:
      return kScaleOfflineMessage;
    default:
      return {};
  }
}

std::u16string_view LabelRefusal(LabelFault fault) {
  switch (fault) {
    case LabelFault::kOut:
      return kLabelsOutMessage;
    case LabelFault::kCover:
      return kLabelsCoverMessage;
    case LabelFault::kOffline:
      return kLabelsOfflineMessage;
    default:
      return {};
  }
}

}  // namespace

void PreauthorisationUnsupported(MethodCall& call) {
  if (TerminalRefuses(call)) return;
  call.state.LastErrorText = u"Операция не поддерживается";
}

void EmergencyReversal(MethodCall& call) {
  if (TerminalRefuses(call)) return;
  if (ReverseLostOperation(call.state)) {
    call.Answer(true);
    return;
  }
  call.state.LastErrorText = u"Ошибка аварийной отмены";
}

void PrintSlipOnTerminal(MethodCall& call) {
  TerminalRefuses(call);
}

// The scales and the label printer read their device ID and need no device.

void GetWeight(MethodCall& call) {
  call.Text(0);
  const FaultSet& faults = call.state.Faults;
  if (Refuse(call, ScaleRefusal(faults.scale))) return;
  double weight = 0;
  if (faults.scale == ScaleFault::kWeight) {
    weight = faults.scale_weight;
  } else if (faults.scale != ScaleFault::kZero) {
    weight = call.state.platform().random->Next() / 100.0;
  }
  call.params.Put(1, Value::Real(weight));
  call.Answer(true);
}

void Calibrate(MethodCall& call) {
  call.Text(0);
  if (Refuse(call, ScaleRefusal(call.state.Faults.scale))) return;
  call.params.Put(1, Value::Integer(0));
  call.Answer(true);
}

void InitializePrinter(MethodCall& call) {
  call.Text(0);
  if (Refuse(call, LabelRefusal(call.state.Faults.labels))) return;
  call.state.platform().messages->Show(u"InitializePrinter");
  call.Answer(true);
}

void PrintLabels(MethodCall& call) {
  call.Text(0);
  if (Refuse(call, LabelRefusal(call.state.Faults.labels))) return;
  call.state.platform().messages->Show(call.Text(1));
  call.Answer(true);
}

}  // namespace kassivo::driver_rows
