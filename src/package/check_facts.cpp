#include "package/check_facts.h"

namespace kassivo {

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
    facts.payments = ReadPayments(*payments, format);
  }
  return facts;
}

}  // namespace kassivo
