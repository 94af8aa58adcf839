#include "rules/payment_rules.h"

#include "rules/rule_messages.h"

namespace kassivo {

namespace {

const ExactDecimal kHalfKopeck = ExactDecimal::FromUnits(false, 5, 3);

ExactDecimal ValueOf(const ExactAttribute& payment) {
  return payment.value.value_or(ExactDecimal());
}

// The payments of the kinds from `first` on, added up; none only when the sum
// does not fit, which read values never reach.
std::optional<ExactDecimal> SumFrom(const ExactPayments& payments, std::size_t first) {
  std::optional<ExactDecimal> sum = ExactDecimal();
  for (std::size_t kind = first; kind < ExactPayments::kKinds && sum; ++kind) {
    sum = Add(*sum, ValueOf(payments.by_kind[kind]));
  }
  return sum;
}

std::optional<ExactDecimal> Paid(const ExactPayments& payments) {
  return SumFrom(payments, ExactPayments::kCash);
}

std::optional<ExactDecimal> Cashless(const ExactPayments& payments) {
  return SumFrom(payments, ExactPayments::kElectronic);
}

}  // namespace

ExactDecimal FiscalFormatLimit() {
  return ExactDecimal::FromUnits(false, (std::uint64_t{1} << 48) - 1, 2);
}

bool PaymentCoversTotal(const ExactDecimal& paid, const ExactDecimal& total) {
  const std::optional<ExactDecimal> short_by = Subtract(total, paid);
  return short_by && *short_by <= kHalfKopeck;
}

bool CashlessWithinTotal(const ExactDecimal& cashless, const ExactDecimal& total) {
  const std::optional<ExactDecimal> over_by = Subtract(cashless, total);
  return over_by && *over_by <= kHalfKopeck;
}

void RequireTotalWithinLimit(bool beyond_limit, const NumberFormat& format,
                             RuleFindings& findings) {
  if (!beyond_limit) return;
  findings.broken.push_back(
      RuleText(RuleMessage::kTotalBeyondLimit, {{u'Y', FiscalFormatLimit().Format(2, format)}}));
}

void RequirePaymentCoversTotal(const ExactPayments& payments, const ExactDecimal& total,
                               const NumberFormat& format, RuleFindings& findings) {
  const std::optional<ExactDecimal> paid = Paid(payments);
  if (!paid || PaymentCoversTotal(*paid, total)) return;
  findings.broken.push_back(
      RuleText(RuleMessage::kPaidBelowTotal,
               {{u'X', paid->Format(2, format)}, {u'Y', total.Format(2, format)}}));
}

void RequireCashlessWithinTotal(const ExactPayments& payments, const ExactDecimal& total,
                                const NumberFormat& format, RuleFindings& findings) {
  const std::optional<ExactDecimal> cashless = Cashless(payments);
  if (!cashless || CashlessWithinTotal(*cashless, total)) return;
  findings.broken.push_back(
      RuleText(RuleMessage::kCashlessAboveTotal,
               {{u'X', cashless->Format(2, format)}, {u'Y', total.Format(2, format)}}));
}

void RequireCashInDrawer(const ExactDecimal& movement, const ExactDecimal& drawer,
                         const NumberFormat& format, RuleFindings& findings) {
  if (!movement.IsNegative() || movement.Negated() <= drawer) return;
  findings.broken.push_back(
      RuleText(RuleMessage::kNotEnoughCash,
               {{u'X', movement.Negated().Format(2, format)}, {u'Y', drawer.Format(2, format)}}));
}

bool PaymentsReadable(const ExactPayments& payments) {
  for (const ExactAttribute& payment : payments.by_kind) {
    if (payment.present && (!payment.IsNumber() || payment.value->IsNegative())) return false;
  }
  return true;
}

bool RequireReadablePayments(const ExactPayments& payments, RuleFindings& findings) {
  bool held = true;
  for (const ExactAttribute& payment : payments.by_kind) {
    if (!payment.present) continue;
    if (!payment.IsNumber()) {
      findings.broken.push_back(RuleText(RuleMessage::kPaymentNotNumber, {{u'X', payment.text}}));
      held = false;
    } else if (payment.value->IsNegative()) {
      findings.broken.push_back(RuleText(RuleMessage::kNegativePayment, {{u'X', payment.text}}));
      held = false;
    }
  }
  return held;
}

std::optional<ExactDecimal> CheckCashMovement(const CheckFacts& check, const ExactDecimal& total) {
  const ExactPayments& payments = check.payments;
  const ExactDecimal cash = ValueOf(payments.by_kind[ExactPayments::kCash]);
  std::optional<ExactDecimal> movement = ExactDecimal();
  switch (check.operation_type.value_or(0)) {
    case 1:
    case 4: {
      const std::optional<ExactDecimal> paid = Paid(payments);
      const std::optional<ExactDecimal> change = paid ? Subtract(*paid, total) : std::nullopt;
      if (!change) return std::nullopt;
      movement = change->IsNegative() ? cash : Subtract(cash, *change);
      break;
    }
    case 2:
    case 3:
      movement = cash.Negated();
      break;
    default:
      break;
  }
  return movement ? movement->RoundedTo(2) : std::nullopt;
}

}  // namespace kassivo
