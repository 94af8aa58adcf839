#include "rules/position_rules.h"

#include <cmath>

#include "common/text.h"
#include "rules/rule_messages.h"

namespace kassivo {

namespace {

struct VatRate {
  std::u16string_view text;
  int percent;
};

constexpr VatRate kVatRates[] = {
    {u"none", 0}, {u"0", 0},     {u"5", 5},     {u"7", 7},       {u"10", 10},     {u"20", 20},
    {u"22", 22},  {u"5/105", 5}, {u"7/107", 7}, {u"10/110", 10}, {u"20/120", 20}, {u"22/122", 22},
};

// A code of decimal digits only (at most nine of them).
std::optional<int> CodeOf(std::u16string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return value;
}

void Break(RuleFindings& findings, RuleMessage message, int number,
           std::u16string_view value = {}) {
  findings.broken.push_back(RuleText(message, {{u'i', DecimalText(number)}, {u'X', value}}));
}

}  // namespace

bool HasText(const OptionalText& text) {
  return text && !text->empty();
}

double RoundToCents(double value) {
  // A relative nudge makes 2.675 (2.67499... in binary) round as written.
  const double scaled = value * 100;
  const double nudge = std::fabs(scaled) * 1e-12;
  return std::round(scaled + (scaled < 0 ? -nudge : nudge)) / 100;
}

std::optional<int> VatPercent(std::u16string_view rate) {
  for (const VatRate& known : kVatRates) {
    if (known.text == rate) return known.percent;
  }
  return std::nullopt;
}

bool RequirePositiveQuantity(const FiscalString& position, int number, RuleFindings& findings) {
  if (position.quantity > 0) return true;
  Break(findings, RuleMessage::kQuantityNotPositive, number);
  return false;
}

bool RequirePriceAndAmount(const FiscalString& position, int number, RuleFindings& findings) {
  if (position.has_price && position.has_amount && position.price >= 0 && position.amount >= 0) {
    return true;
  }
  Break(findings, RuleMessage::kBadPriceOrAmount, number);
  return false;
}

bool RequireAmountIsPriceTimesQuantity(const FiscalString& position, int number,
                                       const NumberFormat& format, RuleFindings& findings) {
  const double expected = RoundToCents(position.price * position.quantity);
  if (std::fabs(position.amount - expected) <= 0.01 + 1e-9) return true;
  findings.broken.push_back(RuleText(RuleMessage::kAmountNotPriceTimesQuantity,
                                     {{u'i', DecimalText(number)},
                                      {u'X', FormatMoney(position.amount, format)},
                                      {u'P', FormatMoney(position.price, format)},
                                      {u'Q', FormatQuantity(position.quantity, format)}}));
  return false;
}

bool RequirePaymentMethod(const FiscalString& position, int number, RuleFindings& findings) {
  const std::optional<int> code = CodeOf(position.payment_method);
  if (code && *code >= 1 && *code <= 7) return true;
  Break(findings, RuleMessage::kBadPaymentMethod, number, position.payment_method);
  return false;
}

bool RequireCalculationSubject(const FiscalString& position, int number, RuleFindings& findings) {
  const std::optional<int> code = CodeOf(position.calculation_subject);
  if (code && ((*code >= 1 && *code <= 27) || (*code >= 30 && *code <= 33))) return true;
  Break(findings, RuleMessage::kBadCalculationSubject, number, position.calculation_subject);
  return false;
}

bool RequireVatRate(const FiscalString& position, int number, RuleFindings& findings) {
  const OptionalText& rate = position.vat_rate;
  const std::u16string_view trimmed = rate ? TrimView(*rate) : std::u16string_view();
  if (rate && VatPercent(trimmed)) return true;
  if (trimmed == u"18" || trimmed == u"18/118") {
    Break(findings, RuleMessage::kVatRate18Abolished, number);
  } else {
    Break(findings, RuleMessage::kBadVatRate, number, rate ? std::u16string_view(*rate) : u"");
  }
  return false;
}

bool RequireMarkingRegistration(const FiscalString& position, const KKTRegistration& registration,
                                RuleFindings& findings) {
  if (!HasText(position.marking_code) || registration.IsMarking) return true;
  findings.broken.push_back(RuleText(RuleMessage::kNotRegisteredForMarking));
  return false;
}

bool RequireCheckedMarkingCode(const FiscalString& position, int number,
                               const MarkingCodeStatus* status, RuleFindings& findings) {
  if (!HasText(position.marking_code)) return true;
  bool held = true;
  if (!status) {
    Break(findings, RuleMessage::kMarkingCodeNotRequested, number);
    held = false;
  } else if (!status->confirmed) {
    Break(findings, RuleMessage::kMarkingCodeNotConfirmed, number);
    held = false;
  } else if (status->kind != 0) {
    Break(findings, RuleMessage::kMarkingCodeRejected, number);
    held = false;
  }
  if (!HasText(position.measure_of_quantity)) {
    Break(findings, RuleMessage::kNoMeasureOfQuantity, number);
    held = false;
  }
  return held;
}

bool RequireVendorInnForAgent(const FiscalString& position, int number, RuleFindings& findings) {
  if (!HasText(position.calculation_agent) || HasText(position.vendor_inn)) return true;
  Break(findings, RuleMessage::kNoVendorInn, number);
  return false;
}

}  // namespace kassivo
