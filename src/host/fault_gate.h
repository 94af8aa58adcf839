// The fault gate: a call while a fault is set (state.FaultsSet) goes through
// here instead of straight to its row's handler.
//
// Before the handler, the first fault that refuses the call wins, in the
// order kkt, power, fn, fn.expires, fn.archive, ofd, shift, cover, paper
// (the strict-mode rules come after, inside the handlers). A refused call
// answers false with the fault's message, which GetLastError gives and the
// receipt window's status line shows; the row's ID is written back and its
// answer emptied, as for an unknown device; the handler is not called, so
// nothing is counted or printed. A call that is not refused clears the
// status line (GetLastError, which reports the refusal, leaves it).
//
// A power fault fires on the next fiscal call and clears itself: `before`
// lets the document print, annuls it on the tape and undoes what it formed;
// `after` lets it be formed and loses the answer. Both answer false with
// "Нет связи с ККТ: превышено время ожидания ответа.".
//
// After the handler: a document begun while the paper is running out ends
// with "БУМАГА ЗАКАНЧИВАЕТСЯ" and brings the end of the roll nearer; a
// shift opened or closed clears shift=over24h; a new fiscal storage
// (OperationFN 1 or 2) clears the storage's faults. The OFD's queue drains
// at the first call after its link is back.
#pragma once

#include "host/method_call.h"
#include "host/method_catalogue.h"

namespace kassivo {

void CallThroughFaults(const CatalogueRow& row, MethodCall& call);

}  // namespace kassivo
