// The rules of one position (a FiscalString), `number` being its 1-based
// number among the check's positions. Each adds its message when broken and
// answers whether it held.
//  - RequirePositiveQuantity: Quantity above 0;
//  - RequirePriceAndAmount: PriceWithDiscount and AmountWithDiscount present
//    and not below 0;
//  - RequireAmountIsPriceTimesQuantity: |amount - round(price x quantity, 2)|
//    is at most 0.01 (checked only when the two rules before it held);
//  - RequirePaymentMethod: 1-7; RequireCalculationSubject: 1-27 or 30-33
//    (codes of decimal digits only);
//  - RequireVatRate: one of the rates in force, written as in kVatRates;
//    18 and 18/118 have their own message;
//  - RequireMarkingRegistration: a MarkingCode only when the registration's
//    IsMarking is set; the caller reports it once per check;
//  - RequireCheckedMarkingCode: a MarkingCode requested by RequestKM and
//    confirmed by ConfirmKM with kind 0, and a MeasureOfQuantity;
//  - RequireVendorInnForAgent: a CalculationAgent position names a VendorINN
//    in its VendorData.
#pragma once

#include <optional>
#include <string_view>

#include "common/number_format.h"
#include "device/marking_records.h"
#include "device/registration.h"
#include "package/check_package.h"
#include "rules/rule_findings.h"

namespace kassivo {

bool RequirePositiveQuantity(const FiscalString& position, int number, RuleFindings& findings);
bool RequirePriceAndAmount(const FiscalString& position, int number, RuleFindings& findings);
bool RequireAmountIsPriceTimesQuantity(const FiscalString& position, int number,
                                       const NumberFormat& format, RuleFindings& findings);
bool RequirePaymentMethod(const FiscalString& position, int number, RuleFindings& findings);
bool RequireCalculationSubject(const FiscalString& position, int number, RuleFindings& findings);
bool RequireVatRate(const FiscalString& position, int number, RuleFindings& findings);
bool RequireMarkingRegistration(const FiscalString& position, const KKTRegistration& registration,
                                RuleFindings& findings);
// `status`: the code's record (MarkingRecords::Find), null when none.
bool RequireCheckedMarkingCode(const FiscalString& position, int number,
                               const MarkingCodeStatus* status, RuleFindings& findings);
bool RequireVendorInnForAgent(const FiscalString& position, int number, RuleFindings& findings);

// The percentage a VAT rate text stands for: 0 for "none" and "0", r for "r"
// and "r/1r0"; none for a text that is not a rate in force.
std::optional<int> VatPercent(std::u16string_view rate);

// Present and not empty (the reader has trimmed it).
bool HasText(const OptionalText& text);

// Halves away from zero, to the cent, of the value's 15-digit decimal form.
double RoundToCents(double value);

}  // namespace kassivo
