#include "rules/position_rules.h"

#include <cstdint>

#include "common/powers_of_ten.h"
#include "common/text.h"
#include "rules/code_list.h"
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

void Break(RuleFindings& findings, RuleMessage message, int number,
           std::u16string_view value = {}) {
  findings.broken.push_back(RuleText(message, {{u'i', DecimalText(number)}, {u'X', value}}));
}

}  // namespace

std::u16string_view MarkingCodeAsSent(const FiscalString& position) {
  return position.marking_code_as_sent ? *position.marking_code_as_sent : *position.marking_code;
}

namespace {

// AmountIsPriceTimesQuantity for what nearly every position holds: values
// not below 0 whose magnitudes and product fit in 64 bits, the product to at
// most 19 decimals, the amount to at most 2; in kopecks. None otherwise.
std::optional<bool> AmountIsProductIn64Bits(const ExactDecimal& price, const ExactDecimal& quantity,
                                            const ExactDecimal& amount) {
  const std::optional<std::uint64_t> p = price.Magnitude64();
  const std::optional<std::uint64_t> q = quantity.Magnitude64();
  const std::optional<std::uint64_t> a = amount.Magnitude64();
  const int scale = price.scale() + quantity.scale();
  if (!p || !q || !a || price.IsNegative() || quantity.IsNegative() || amount.IsNegative() ||
      scale > 19 || amount.scale() > 2) {
    return std::nullopt;
  }
  std::uint64_t product = 0;
  std::uint64_t amount_kopecks = 0;
  if (__builtin_mul_overflow(*p, *q, &product) ||
      __builtin_mul_overflow(*a, kPowersOf10[2 - amount.scale()], &amount_kopecks)) {
    return std::nullopt;
  }
  std::uint64_t kopecks = 0;
  if (scale <= 2) {
    if (__builtin_mul_overflow(product, kPowersOf10[2 - scale], &kopecks)) return std::nullopt;
  } else {
    const std::uint64_t unit = kPowersOf10[scale - 2];
    kopecks = product / unit;
    if (product % unit >= unit - product % unit) ++kopecks;  // halves away from zero
  }
  const std::uint64_t distance =
      kopecks > amount_kopecks ? kopecks - amount_kopecks : amount_kopecks - kopecks;
  return distance <= 1;
}

}  // namespace

bool AmountIsPriceTimesQuantity(const ExactDecimal& price, const ExactDecimal& quantity,
                                const ExactDecimal& amount) {
  if (const std::optional<bool> quick = AmountIsProductIn64Bits(price, quantity, amount)) {
    return *quick;
  }
  const std::optional<ExactDecimal> product = Multiply(price, quantity);
  const std::optional<ExactDecimal> expected = product ? product->RoundedTo(2) : std::nullopt;
  return expected && WithinTolerance(amount, *expected, ExactDecimal::FromUnits(false, 1, 2));
}

std::optional<int> VatPercent(std::u16string_view rate) {
  for (const VatRate& known : kVatRates) {
    if (known.text == rate) return known.percent;
  }
  return std::nullopt;
}

bool RequirePositiveQuantity(const FiscalString& position, int number, RuleFindings& findings) {
  const ExactAttribute& quantity = position.exact_quantity;
  if (quantity.present && !quantity.IsNumber()) {
    Break(findings, RuleMessage::kQuantityNotNumber, number, quantity.text);
    return false;
  }
  if (quantity.IsNumber() && !quantity.value->IsNegative() && !quantity.value->IsZero())
    return true;
  Break(findings, RuleMessage::kQuantityNotPositive, number);
  return false;
}

bool RequirePriceAndAmount(const FiscalString& position, int number, RuleFindings& findings) {
  const ExactAttribute& price = position.exact_price;
  const ExactAttribute& amount = position.exact_amount;
  bool numbers = true;
  if (price.present && !price.IsNumber()) {
    Break(findings, RuleMessage::kPriceNotNumber, number, price.text);
    numbers = false;
  }
  if (amount.present && !amount.IsNumber()) {
    Break(findings, RuleMessage::kAmountNotNumber, number, amount.text);
    numbers = false;
  }
  if (!numbers) return false;
  if (price.IsNumber() && amount.IsNumber() && !price.value->IsNegative() &&
      !amount.value->IsNegative()) {
    return true;
  }
  Break(findings, RuleMessage::kBadPriceOrAmount, number);
  return false;
}

bool RequireAmountIsPriceTimesQuantity(const FiscalString& position, int number,
                                       const NumberFormat& format, RuleFindings& findings) {
  const ExactDecimal& price = *position.exact_price.value;
  const ExactDecimal& quantity = *position.exact_quantity.value;
  const ExactDecimal& amount = *position.exact_amount.value;
  if (AmountIsPriceTimesQuantity(price, quantity, amount)) return true;
  findings.broken.push_back(
      RuleText(RuleMessage::kAmountNotPriceTimesQuantity, {{u'i', DecimalText(number)},
                                                           {u'X', amount.Format(2, format)},
                                                           {u'P', price.Format(2, format)},
                                                           {u'Q', quantity.Format(3, format)}}));
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

void RequireUniqueMarkingCode(int number, int earlier, RuleFindings& findings) {
  if (earlier == 0) return;
  findings.broken.push_back(RuleText(RuleMessage::kDuplicateMarkingCode,
                                     {{u'i', DecimalText(number)}, {u'j', DecimalText(earlier)}}));
}

bool RequireRegisteredSubject(const FiscalString& position, int number,
                              const KKTRegistration& registration, RuleFindings& findings) {
  const std::optional<int> code = CodeOf(position.calculation_subject);
  if (!code) return true;
  switch (*code) {
    case 2:
    case 30:
    case 31:
      if (registration.IsExcisable) return true;
      Break(findings, RuleMessage::kNotRegisteredForExcise, number);
      return false;
    case 5:
    case 6:
      if (registration.IsGambling) return true;
      Break(findings, RuleMessage::kNotRegisteredForGambling, number);
      return false;
    case 7:
    case 8:
      if (registration.IsLottery) return true;
      Break(findings, RuleMessage::kNotRegisteredForLottery, number);
      return false;
    default:
      return true;
  }
}

bool RequireRegisteredAgentType(const FiscalString& position, int number,
                                const KKTRegistration& registration, RuleFindings& findings) {
  if (!HasText(position.calculation_agent) || IsBlank(registration.AgentTypes) ||
      ListHasCode(registration.AgentTypes, *position.calculation_agent)) {
    return true;
  }
  Break(findings, RuleMessage::kAgentTypeNotRegistered, number, *position.calculation_agent);
  return false;
}

}  // namespace kassivo
