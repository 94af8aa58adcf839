// The rules of a check's payments and of the cash in the drawer, computed
// exactly on the amounts as written (ExactDecimal).
//  - RequireTotalWithinLimit: the sum of the positions' amounts is within
//    the fiscal format's 2^48 - 1 kopecks;
//  - RequirePaymentCoversTotal: all five payments together are not below the
//    total by more than 0.005 (PaymentCoversTotal);
//  - RequireCashlessWithinTotal: ElectronicPayment, PrePayment, PostPayment
//    and Barter together are not above the total by more than 0.005
//    (CashlessWithinTotal);
//  - RequireCashInDrawer: money going out, rounded to the kopeck, is not
//    more than the drawer's cash (which is kept to the kopeck, so the drawer
//    never goes below 0);
//  - RequireReadablePayments: every payment present is a number, and not
//    below 0; each that breaks this has its own message, with the text as
//    written.
// CheckCashMovement: what a check does to the drawer, rounded to the
// kopeck. Sales (1) and returns of expense (4) bring their cash minus the
// change (paid - total when positive, given from cash); returns of sales (2)
// and expenses (3) take their cash; any other operation moves nothing.
// Absent payments count as 0; the payments must be readable.
#pragma once

#include <optional>

#include "common/exact_decimal.h"
#include "common/number_format.h"
#include "package/check_facts.h"
#include "rules/rule_findings.h"

namespace kassivo {

// 2^48 - 1 kopecks.
ExactDecimal FiscalFormatLimit();

void RequireTotalWithinLimit(bool beyond_limit, const NumberFormat& format, RuleFindings& findings);
// `total`: the sum of the positions' amounts.
void RequirePaymentCoversTotal(const ExactPayments& payments, const ExactDecimal& total,
                               const NumberFormat& format, RuleFindings& findings);
void RequireCashlessWithinTotal(const ExactPayments& payments, const ExactDecimal& total,
                                const NumberFormat& format, RuleFindings& findings);
// `movement`: positive brings cash in, negative takes it out.
void RequireCashInDrawer(const ExactDecimal& movement, const ExactDecimal& drawer,
                         const NumberFormat& format, RuleFindings& findings);
bool RequireReadablePayments(const ExactPayments& payments, RuleFindings& findings);

// Every payment present is a number not below 0.
bool PaymentsReadable(const ExactPayments& payments);
bool PaymentCoversTotal(const ExactDecimal& paid, const ExactDecimal& total);
bool CashlessWithinTotal(const ExactDecimal& cashless, const ExactDecimal& total);
std::optional<ExactDecimal> CheckCashMovement(const CheckFacts& check, const ExactDecimal& total);

}  // namespace kassivo
