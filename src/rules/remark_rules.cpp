#include "rules/remark_rules.h"

#include <cstdint>

#include "common/text.h"
#include "rules/inn.h"
#include "rules/position_rules.h"
#include "rules/rule_messages.h"

namespace kassivo {

namespace {

bool IsValidInn10Or12(std::u16string_view text) {
  return IsValidInn10(text) || IsValidInn12(text);
}

}  // namespace

void RemarkCashierInn(const CheckFacts& check, RuleFindings& findings) {
  const std::u16string inn = Trim(check.parameters.cashier_inn);
  if (inn.empty() || IsValidInn12(inn)) return;
  findings.remarks.push_back(RuleText(RuleMessage::kBadCashierInn, {{u'X', inn}}));
}

void RemarkCustomerInn(const CheckFacts& check, RuleFindings& findings) {
  const OptionalText& text = check.parameters.customer_inn;
  const std::u16string inn = text ? Trim(*text) : std::u16string();
  if (inn.empty() || IsValidInn10Or12(inn)) return;
  findings.remarks.push_back(RuleText(RuleMessage::kBadCustomerInn, {{u'X', inn}}));
}

void RemarkVatAmount(const FiscalString& position, int number, const NumberFormat& format,
                     RuleFindings& findings) {
  if (!HasText(position.vat_amount) || !position.vat_rate) return;
  const ExactAttribute& amount = position.exact_amount;
  if (!amount.IsNumber()) return;
  const std::u16string_view rate = TrimView(*position.vat_rate);
  const std::optional<int> percent = VatPercent(rate);
  if (!percent) return;
  const auto r = static_cast<std::uint32_t>(*percent);
  const std::optional<ExactDecimal> expected = amount.value->Share(r, 100 + r, 2);
  if (!expected) return;
  const ExactAttribute& vat = position.exact_vat_amount;
  if (vat.IsNumber() &&
      WithinTolerance(*vat.value, *expected, ExactDecimal::FromUnits(false, 1, 2))) {
    return;
  }
  findings.remarks.push_back(
      RuleText(RuleMessage::kVatAmountMismatch,
               {{u'i', DecimalText(number)},
                {u'X', vat.IsNumber() ? vat.value->Format(2, format) : std::u16string(vat.text)},
                {u'R', rate},
                {u'E', expected->Format(2, format)}}));
}

void RemarkVendorInn(const FiscalString& position, int number, RuleFindings& findings) {
  if (!HasText(position.vendor_inn)) return;
  const std::u16string_view inn = *position.vendor_inn;
  if (IsValidInn10Or12(inn)) return;
  findings.remarks.push_back(
      RuleText(RuleMessage::kBadVendorInn, {{u'i', DecimalText(number)}, {u'X', inn}}));
}

}  // namespace kassivo
