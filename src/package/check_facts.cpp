#include "package/check_facts.h"

namespace kassivo {

ExactPayments ReadExactPayments(const XmlNode& element, const NumberFormat& format) {
  static constexpr std::u16string_view kNames[ExactPayments::kKinds] = {
      u"Cash", u"ElectronicPayment", u"PrePayment", u"PostPayment", u"Barter"};
  ExactPayments payments;
  for (std::size_t kind = 0; kind < ExactPayments::kKinds; ++kind) {
    payments.by_kind[kind] = ReadExactValue(element.FindAttribute(kNames[kind]), format);
  }
  return payments;
}

CheckFacts ReadCheckFacts(const CheckPackage& package, const NumberFormat& format, bool electronic,
                          bool correction) {
  CheckFacts facts;
  facts.electronic = electronic;
  facts.correction = correction;

  const XmlNode& parameters = package.ParametersSection();
  if (parameters.Is(u"Parameters")) {
    facts.parameters = ReadCheckParameters(parameters);
    if (parameters.HasAttribute(u"OperationType")) {
      facts.operation_type = facts.parameters.operation_type;
    }
    if (correction) {
      for (const XmlNode& child : parameters.children) {
        if (child.Is(u"CorrectionData")) facts.corrections.push_back(ReadCorrectionData(child));
      }
    }
    facts.taxation_system = ReadTaxationSystem(parameters);
  }

  const XmlNode& positions = package.PositionsSection();
  if (positions.Is(u"Positions")) {
    facts.positions = &positions;
    for (const XmlNode& item : positions.children) {
      if (item.Is(u"FiscalString")) {
        facts.has_fiscal_strings = true;
        break;
      }
    }
  }

  if (const XmlNode* payments = package.PaymentsSection()) {
    facts.payments = ReadExactPayments(*payments, format);
  }
  return facts;
}

}  // namespace kassivo
