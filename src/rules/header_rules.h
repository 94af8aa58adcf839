// The rules of a check's header. Each adds its message when broken.
//  - RequireCashier: CashierName present and not blank (no-break and other
//    Unicode spaces count as blank);
//  - RequireOperationType: OperationType present and 1-4;
//  - RequireRegisteredTaxation: TaxationSystem present (its own message
//    when absent), 0-5 and one of the codes the register reports to the
//    host for it (GetDataKKT's TaxationSystems, ReportedTaxationSystems);
//  - RequirePositions: at least one FiscalString;
//  - RequireCustomerContact: an electronic check names a non-blank
//    CustomerEmail or CustomerPhone;
//  - RequireCorrectionData: a correction check has a CorrectionData whose
//    Type is 0 or 1 and whose date is a date (DD.MM.YYYY or YYYY-MM-DD,
//    optionally followed by "T" and a time); with Type 1 a non-blank Number.
#pragma once

#include <string_view>

#include "device/registration.h"
#include "package/check_facts.h"
#include "rules/rule_findings.h"

namespace kassivo {

void RequireCashier(const CheckFacts& check, RuleFindings& findings);
void RequireOperationType(const CheckFacts& check, RuleFindings& findings);
void RequireRegisteredTaxation(const CheckFacts& check, const KKTRegistration& registration,
                               RuleFindings& findings);
void RequirePositions(const CheckFacts& check, RuleFindings& findings);
void RequireCustomerContact(const CheckFacts& check, RuleFindings& findings);
void RequireCorrectionData(const CheckFacts& check, RuleFindings& findings);

bool IsDateText(std::u16string_view text);

}  // namespace kassivo
