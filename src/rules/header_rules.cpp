#include "rules/header_rules.h"

#include "common/calendar.h"
#include "common/text.h"
#include "package/check_codes.h"
#include "rules/code_list.h"
#include "rules/rule_messages.h"

namespace kassivo {

namespace {

std::u16string CodeText(const std::optional<std::int32_t>& code) {
  return code ? DecimalText(*code) : std::u16string();
}

// Blank for a person's name: nothing but spaces of any kind (the no-break
// and other Unicode spaces too) and control characters.
bool IsBlankName(std::u16string_view text) {
  for (const char16_t c : text) {
    const bool space = c <= u' ' || c == u'\u00A0' || c == u'\u1680' ||
                       (c >= u'\u2000' && c <= u'\u200B') || c == u'\u202F' || c == u'\u205F' ||
                       c == u'\u3000' || c == u'\uFEFF';
    if (!space) return false;
  }
  return true;
}

bool NonBlank(const OptionalText& text) {
  return text && !IsBlank(*text);
}

int DigitsAt(std::u16string_view text, std::size_t pos, std::size_t count) {
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return -1;
    value = value * 10 + (text[i] - u'0');
  }
  return value;
}

}  // namespace

bool IsDateText(std::u16string_view text) {
  if (text.size() > 10 && text[10] == u'T') text = text.substr(0, 10);
  if (text.size() != 10) return false;
  if (text[2] == u'.' && text[5] == u'.') {
    return IsCalendarDate(DigitsAt(text, 6, 4), DigitsAt(text, 3, 2), DigitsAt(text, 0, 2));
  }
  if (text[4] == u'-' && text[7] == u'-') {
    return IsCalendarDate(DigitsAt(text, 0, 4), DigitsAt(text, 5, 2), DigitsAt(text, 8, 2));
  }
  return false;
}

void RequireCashier(const CheckFacts& check, RuleFindings& findings) {
  if (IsBlankName(check.parameters.cashier_name)) {
    findings.broken.push_back(RuleText(RuleMessage::kNoCashier));
  }
}

void RequireOperationType(const CheckFacts& check, RuleFindings& findings) {
  const std::optional<std::int32_t>& type = check.operation_type;
  if (!type || OperationTypeName(*type).empty()) {
    findings.broken.push_back(RuleText(RuleMessage::kBadOperationType, {{u'X', CodeText(type)}}));
  }
}

void RequireRegisteredTaxation(const CheckFacts& check, const KKTRegistration& registration,
                               RuleFindings& findings) {
  const std::optional<std::int32_t>& code = check.taxation_system;
  if (!code) {
    findings.broken.push_back(RuleText(RuleMessage::kNoTaxationSystem));
    return;
  }
  const std::u16string text = DecimalText(*code);
  if (TaxationSystemName(*code).empty() ||
      !ListHasCode(ReportedTaxationSystems(registration), text)) {
    findings.broken.push_back(RuleText(RuleMessage::kTaxationNotRegistered, {{u'X', text}}));
  }
}

void RequirePositions(const CheckFacts& check, RuleFindings& findings) {
  if (!check.has_fiscal_strings) findings.broken.push_back(RuleText(RuleMessage::kNoPositions));
}

void RequireCustomerContact(const CheckFacts& check, RuleFindings& findings) {
  if (check.electronic && !NonBlank(check.parameters.customer_email) &&
      !NonBlank(check.parameters.customer_phone)) {
    findings.broken.push_back(RuleText(RuleMessage::kNoCustomerContact));
  }
}

void RequireCorrectionData(const CheckFacts& check, RuleFindings& findings) {
  if (!check.correction) return;
  for (const CorrectionData& data : check.corrections) {
    const bool type_0 = data.type == u"0";
    const bool type_1 = data.type == u"1";
    if (!(type_0 || type_1) || !data.date || !IsDateText(*data.date)) continue;
    if (type_1 && !NonBlank(data.number)) {
      findings.broken.push_back(RuleText(RuleMessage::kNoOrderNumber));
    }
    return;
  }
  findings.broken.push_back(RuleText(RuleMessage::kNoCorrectionData));
}

}  // namespace kassivo
