// The rules of one position (a FiscalString), `number` being its 1-based
// number among the check's positions. Each adds its message when broken and
// answers whether it held.
//  - RequirePositiveQuantity: Quantity above 0; a Quantity that is present
//    and no number (ParseExactDecimal) has its own message;
//  - RequirePriceAndAmount: PriceWithDiscount and AmountWithDiscount present
//    and not below 0; each that is present and no number has its own
//    message (and then nothing more is said of the two);
//  - RequireAmountIsPriceTimesQuantity: |amount - round(price x quantity, 2)|
//    is at most 0.01, computed exactly on the numbers as written (checked
//    only when the two rules before it held);
//  - RequirePaymentMethod: 1-7; RequireCalculationSubject: 1-27 or 30-33
//    (codes of decimal digits only);
//  - RequireVatRate: one of the rates in force, written as in kVatRates;
//    18 and 18/118 have their own message;
//  - RequireMarkingRegistration: a MarkingCode only when the registration's
//    IsMarking is set; the caller reports it once per check;
//  - RequireCheckedMarkingCode: a MarkingCode requested by RequestKM and
//    confirmed by ConfirmKM with kind 0, and a MeasureOfQuantity;
//  - RequireVendorInnForAgent: a CalculationAgent position names a VendorINN
//    in its VendorData;
//  - RequireUniqueMarkingCode: `earlier` is 0, or the number of an earlier
//    position of the check with the same marking code;
//  - RequireRegisteredSubject: CalculationSubject 2, 30 and 31 (excisable
//    goods) need the registration's IsExcisable, 5 and 6 (gambling) its
//    IsGambling, 7 and 8 (lotteries) its IsLottery;
//  - RequireRegisteredAgentType: a CalculationAgent is one of the
//    registration's AgentTypes, when that list is not blank (ListHasCode).
// Marking codes are compared exactly as sent (MarkingCodeAsSent).
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
void RequireUniqueMarkingCode(int number, int earlier, RuleFindings& findings);
bool RequireRegisteredSubject(const FiscalString& position, int number,
                              const KKTRegistration& registration, RuleFindings& findings);
bool RequireRegisteredAgentType(const FiscalString& position, int number,
                                const KKTRegistration& registration, RuleFindings& findings);

// |amount - round(price x quantity, 2)| <= 0.01, exactly.
bool AmountIsPriceTimesQuantity(const ExactDecimal& price, const ExactDecimal& quantity,
                                const ExactDecimal& amount);

// The percentage a VAT rate text stands for: 0 for "none" and "0", r for "r"
// and "r/1r0"; none for a text that is not a rate in force.
std::optional<int> VatPercent(std::u16string_view rate);

// Present and not empty (the reader has trimmed it).
inline bool HasText(const OptionalText& text) {
  return text && !text->empty();
}

// The position's marking code exactly as the host sent it; call only when
// HasText(position.marking_code).
std::u16string_view MarkingCodeAsSent(const FiscalString& position);

}  // namespace kassivo
