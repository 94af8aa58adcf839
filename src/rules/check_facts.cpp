#include "rules/check_facts.h"

#include "common/text.h"

namespace kassivo {

namespace {

bool HasValue(const XmlNode& element, std::u16string_view name) {
  const std::u16string_view* value = element.FindAttribute(name);
  return value && !IsBlank(*value);
}

PositionFacts ReadPositionFacts(const XmlNode& item, const NumberFormat& format) {
  PositionFacts facts;
  facts.fiscal = ReadFiscalString(item, format);
  facts.has_price = HasValue(item, u"PriceWithDiscount");
  facts.has_amount = HasValue(item, u"AmountWithDiscount");
  facts.measure_of_quantity = ReadOptionalTrimmed(item, u"MeasureOfQuantity");
  facts.calculation_agent = ReadOptionalTrimmed(item, u"CalculationAgent");
  facts.vat_amount = ReadOptionalTrimmed(item, u"VATAmount");
  for (const XmlNode& child : item.children) {
    if (child.Is(u"VendorData")) {
      facts.vendor_inn = ReadOptionalTrimmed(child, u"VendorINN");
      break;
    }
  }
  return facts;
}

}  // namespace

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
    for (const XmlNode& item : positions.children) {
      if (!item.Is(u"FiscalString")) continue;
      facts.positions.push_back(ReadPositionFacts(item, format));
      facts.total += facts.positions.back().fiscal.amount;
    }
  }

  if (const XmlNode* payments = package.PaymentsSection()) {
    facts.payments = ReadPayments(*payments, format);
  }
  return facts;
}

}  // namespace kassivo
