// The remarks: faults a register accepts and the tax service's checks would
// not. Each adds its text to the findings' remarks.
//  - RemarkCashierInn: a non-blank CashierINN that is no valid 12-digit INN;
//  - RemarkCustomerInn: a non-blank CustomerINN that is no valid 10- or
//    12-digit INN;
//  - RemarkVatAmount: a non-blank VATAmount more than 0.01 away from
//    round(amount x r / (100 + r), 2) for a rate in force (0 for none and 0),
//    computed exactly, or that is no number (shown as written); only for a
//    position whose amount is a number;
//  - RemarkVendorInn: a non-blank VendorINN that is no valid 10- or 12-digit
//    INN.
#pragma once

#include "common/number_format.h"
#include "package/check_facts.h"
#include "rules/rule_findings.h"

namespace kassivo {

void RemarkCashierInn(const CheckFacts& check, RuleFindings& findings);
void RemarkCustomerInn(const CheckFacts& check, RuleFindings& findings);
void RemarkVatAmount(const FiscalString& position, int number, const NumberFormat& format,
                     RuleFindings& findings);
void RemarkVendorInn(const FiscalString& position, int number, RuleFindings& findings);

}  // namespace kassivo
