// The handlers of the catalogue rows whose parameter 0 is a device ID: the
// fiscal register, the card terminal and the marking-code session. Each is
// called with the device the ID names and answers as method_call.h says; the
// names are the methods'. Those that write the ID back write it as read.
#pragma once

#include "host/method_call.h"

namespace kassivo::device_rows {

void Close(MethodCall& call);

// Registration: parameter 1 of GetDataKKT receives the register's data.
void GetDataKKT(MethodCall& call);
void OperationFN(MethodCall& call);

// Shifts and status: parameter 1 is the InputParameters, parameter 2
// receives the answer.
void OpenShift(MethodCall& call);
void CloseShift(MethodCall& call);
void GetCurrentStatus(MethodCall& call);
void ReportCurrentStatusOfSettlements(MethodCall& call);
void PrintXReport(MethodCall& call);

// Checks and documents.
void ProcessCheck(MethodCall& call);
void ProcessCorrectionCheck(MethodCall& call);
void PrintTextDocument(MethodCall& call);
void PrintCheckCopy(MethodCall& call);
void CashInOutcome(MethodCall& call);
void OpenCashDrawer(MethodCall& call);
void GetLineLength(MethodCall& call);

// The card terminal: a declined payment leaves "Карта заблокирована".
void PayByPaymentCard(MethodCall& call);
void ReturnPaymentByPaymentCard(MethodCall& call);
void CancelPaymentByPaymentCard(MethodCall& call);
void Settlement(MethodCall& call);

// Marking codes.
void OpenSessionRegistrationKM(MethodCall& call);
void CloseSessionRegistrationKM(MethodCall& call);
void RequestKM(MethodCall& call);
void GetProcessingKMResult(MethodCall& call);
void ConfirmKM(MethodCall& call);

}  // namespace kassivo::device_rows
