// The handlers of the catalogue rows that need no device: the driver's own
// queries (revision, description, last error, settings, actions), Open, the
// card operations the terminal does not support, the scales and the label
// printer. Each answers as method_call.h says; the names are the methods'.
#pragma once

#include "host/method_call.h"

namespace kassivo::driver_rows {

// An integer: the interface revision.
void GetInterfaceRevision(MethodCall& call);
// Parameter 0: the DriverDescription XML.
void GetDescription(MethodCall& call);
// Parameter 0: LastErrorText as it stands (empty before the first call);
// answers the integer 0.
void GetLastError(MethodCall& call);
// Parameter 0: the settings description XML.
void GetParameters(MethodCall& call);
// Stores setting parameter 0 = parameter 1 (throws when the value does not
// convert, parameter 0 unwritten); parameter 0 then reads "Нет ошибок.".
void SetParameter(MethodCall& call);
// Adds a device; parameter 0: its ID, or "" when none was added.
void Open(MethodCall& call);
// Parameter 0: "Успешное подключение.", parameter 1 the testing notice.
void DeviceTest(MethodCall& call);
// Parameter 0: the additional actions XML.
void GetAdditionalActions(MethodCall& call);
// Knows the action "Test" only.
void DoAdditionalAction(MethodCall& call);
// AuthorisationByPaymentCard, AuthConfirmationByPaymentCard and
// CancelAuthorisationByPaymentCard: false, "Операция не поддерживается".
void PreauthorisationUnsupported(MethodCall& call);
// False, "Ошибка аварийной отмены".
void EmergencyReversal(MethodCall& call);
// Does nothing: false, no error.
void PrintSlipOnTerminal(MethodCall& call);
// Parameter 1: a random weight, the platform's next random number in
// hundredths.
void GetWeight(MethodCall& call);
// Parameter 1: 0.
void Calibrate(MethodCall& call);
// Shows a message; nothing is printed.
void InitializePrinter(MethodCall& call);
// Shows parameter 1, the labels' text; nothing is printed.
void PrintLabels(MethodCall& call);

}  // namespace kassivo::driver_rows
