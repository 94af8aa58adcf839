#include "rules/payment_rules.h"

#include "rules/rule_messages.h"

namespace kassivo {

namespace {

constexpr double kTolerance = 0.005;

double Cashless(const Payments& payments) {
  return payments.electronic + payments.prepayment + payments.postpayment + payments.barter;
}

double Paid(const Payments& payments) {
  return payments.cash + Cashless(payments);
}

}  // namespace

void RequirePaymentCoversTotal(const Payments& payments, double total, const NumberFormat& format,
                               RuleFindings& findings) {
  const double paid = Paid(payments);
  if (paid >= total - kTolerance) return;
  findings.broken.push_back(
      RuleText(RuleMessage::kPaidBelowTotal,
               {{u'X', FormatMoney(paid, format)}, {u'Y', FormatMoney(total, format)}}));
}

void RequireCashlessWithinTotal(const Payments& payments, double total, const NumberFormat& format,
                                RuleFindings& findings) {
  const double cashless = Cashless(payments);
  if (cashless <= total + kTolerance) return;
  findings.broken.push_back(
      RuleText(RuleMessage::kCashlessAboveTotal,
               {{u'X', FormatMoney(cashless, format)}, {u'Y', FormatMoney(total, format)}}));
}

void RequireCashInDrawer(double movement, double drawer, const NumberFormat& format,
                         RuleFindings& findings) {
  if (!(movement < 0) || -movement <= drawer + kTolerance) return;
  findings.broken.push_back(
      RuleText(RuleMessage::kNotEnoughCash,
               {{u'X', FormatMoney(-movement, format)}, {u'Y', FormatMoney(drawer, format)}}));
}

double CheckCashMovement(const CheckFacts& check, double total) {
  const Payments& payments = check.payments;
  switch (check.operation_type.value_or(0)) {
    case 1:
    case 4: {
      const double change = Paid(payments) - total;
      return payments.cash - (change > 0 ? change : 0);
    }
    case 2:
    case 3:
      return -payments.cash;
    default:
      return 0;
  }
}

}  // namespace kassivo
