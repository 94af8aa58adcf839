// The rules of a check's payments and of the cash in the drawer.
//  - RequirePaymentCoversTotal: all five payments together are not below the
//    total by more than 0.005;
//  - RequireCashlessWithinTotal: ElectronicPayment, PrePayment, PostPayment
//    and Barter together are not above the total by more than 0.005;
//  - RequireCashInDrawer: money going out is not beyond the drawer's cash
//    (by more than 0.005).
// CheckCashMovement: what a check does to the drawer. Sales (1) and returns
// of expense (4) bring their cash minus the change (paid - total when
// positive, given from cash); returns of sales (2) and expenses (3) take
// their cash; any other operation moves nothing.
#pragma once

#include "common/number_format.h"
#include "package/check_facts.h"
#include "rules/rule_findings.h"

namespace kassivo {

// `total`: the sum of the positions' amounts.
void RequirePaymentCoversTotal(const Payments& payments, double total, const NumberFormat& format,
                               RuleFindings& findings);
void RequireCashlessWithinTotal(const Payments& payments, double total, const NumberFormat& format,
                                RuleFindings& findings);
// `movement`: positive brings cash in, negative takes it out.
void RequireCashInDrawer(double movement, double drawer, const NumberFormat& format,
                         RuleFindings& findings);

double CheckCashMovement(const CheckFacts& check, double total);

}  // namespace kassivo
