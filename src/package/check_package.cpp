#include "package/check_package.h"

#include <limits>
#include <utility>

#include "common/text.h"
#include "common/value.h"
#include "package/xml_text.h"

namespace kassivo {

namespace {

// Looks up many attributes in one pass over the element: found[i] is the
// value of names[i] (its first occurrence), or null. A package holds
// thousands of fiscal strings, each read for many names.
template <std::size_t N>
void FindAttributes(const XmlNode& element, const std::u16string_view (&names)[N],
                    const std::u16string_view* (&found)[N]) {
  for (auto& value : found) value = nullptr;
  for (const XmlAttribute& attribute : element.attributes) {
    for (std::size_t i = 0; i < N; ++i) {
      if (!found[i] && attribute.name == names[i]) {
        found[i] = &attribute.value;
        break;
      }
    }
  }
}

OptionalText TrimmedOrAbsent(const std::u16string_view* value) {
  if (!value) return std::nullopt;
  return Trim(*value);
}

// The number an attribute value spells, as ReadNumberValue reads it; from
// its exact value, when it was read and has a nearest double.
double NumberOf(const ExactAttribute& exact, const std::u16string_view* value,
                const NumberFormat& format) {
  if (exact.value) {
    if (const std::optional<double> nearest = exact.value->NearestDouble()) return *nearest;
  }
  return ReadNumberValue(value, format);
}

std::u16string CodeFailureMessage(std::u16string_view name, std::u16string_view text,
                                  std::u16string_view reason) {
  return u"Атрибут " + std::u16string(name) + u": \"" + std::u16string(text) + u"\" " +
         std::u16string(reason);
}

}  // namespace

// The number an attribute value spells; 0 when absent, blank or not a number.
double ReadNumberValue(const std::u16string_view* value, const NumberFormat& format) {
  if (!value) return 0;
  // A text of spaces and control characters only reads as 0.
  if (IsBlank(*value)) return 0;
  // The full stop stands for the process's separator: replaced only when
  // that separator is something else.
  if (format.decimal_separator == u".") return ParseStrictNumber(*value, format).value_or(0);
  const std::u16string text = ReplaceAll(*value, u".", format.decimal_separator);
  return ParseStrictNumber(text, format).value_or(0);
}

double ReadNumberAttribute(const XmlNode& element, std::u16string_view name,
                           const NumberFormat& format) {
  return ReadNumberValue(element.FindAttribute(name), format);
}

std::int32_t ReadCodeAttribute(const XmlNode& element, std::u16string_view name) {
  const std::u16string_view* value = element.FindAttribute(name);
  const std::u16string_view text = value ? std::u16string_view(*value) : std::u16string_view();
  std::size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  const std::size_t digits_begin = i;
  // Accumulated as a magnitude with room for one digit beyond the 32-bit range.
  std::int64_t magnitude = 0;
  bool too_large = false;
  while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
    if (!too_large) {
      magnitude = magnitude * 10 + (text[i] - u'0');
      if (magnitude > std::int64_t{1} << 32) too_large = true;
    }
    ++i;
  }
  const bool has_digits = i > digits_begin;
  while (i < text.size() && text[i] == u' ') ++i;
  if (!has_digits || i != text.size()) {
    throw DriverError(CodeFailureMessage(name, text, u"не является целым числом."));
  }
  const std::int64_t signed_value = negative ? -magnitude : magnitude;
  if (too_large || signed_value < std::numeric_limits<std::int32_t>::min() ||
      signed_value > std::numeric_limits<std::int32_t>::max()) {
    throw DriverError(CodeFailureMessage(name, text, u"выходит за пределы 32-битного целого."));
  }
  return static_cast<std::int32_t>(signed_value);
}

ExactAttribute ReadExactValue(const std::u16string_view* value, const NumberFormat& format) {
  ExactAttribute result;
  if (!value) return result;
  result.value = ParseExactDecimal(*value, format);
  result.present = result.value || !IsBlank(*value);
  if (result.present && (!result.value || result.value->IsNegative())) result.text = Trim(*value);
  return result;
}

OptionalText ReadOptionalText(const XmlNode& element, std::u16string_view name) {
  const std::u16string_view* value = element.FindAttribute(name);
  if (!value) return std::nullopt;
  return std::u16string(*value);
}

OptionalText ReadOptionalTrimmed(const XmlNode& element, std::u16string_view name) {
  return TrimmedOrAbsent(element.FindAttribute(name));
}

CheckParameters ReadCheckParameters(const XmlNode& parameters) {
  CheckParameters result;
  if (parameters.HasAttribute(u"OperationType")) {
    result.operation_type = ReadCodeAttribute(parameters, u"OperationType");
  }
  result.cashier_name = GetAttributeText(parameters, u"CashierName");
  result.cashier_inn = GetAttributeText(parameters, u"CashierINN");
  if (const std::u16string_view* address =
          FindAttributeSpelled(parameters, u"SaleAddres", u"SaleAddress")) {
    result.sale_address = *address;
  }
  result.sale_location = GetAttributeText(parameters, u"SaleLocation");
  result.customer_email = ReadOptionalText(parameters, u"CustomerEmail");
  result.customer_phone = ReadOptionalText(parameters, u"CustomerPhone");
  result.sender_email = ReadOptionalText(parameters, u"SenderEmail");
  result.customer_info = ReadOptionalText(parameters, u"CustomerInfo");
  result.customer_inn = ReadOptionalText(parameters, u"CustomerINN");
  result.additional_attribute = ReadOptionalText(parameters, u"AdditionalAttribute");
  return result;
}

std::optional<std::int32_t> ReadTaxationSystem(const XmlNode& parameters) {
  if (!parameters.HasAttribute(u"TaxationSystem")) return std::nullopt;
  return ReadCodeAttribute(parameters, u"TaxationSystem");
}

CorrectionData ReadCorrectionData(const XmlNode& element) {
  CorrectionData result;
  result.type = ReadOptionalTrimmed(element, u"Type");
  result.description = ReadOptionalTrimmed(element, u"Description");
  // The date has long been sent as "Datе" with a Cyrillic ie.
  result.date = TrimmedOrAbsent(FindAttributeSpelled(element, u"Dat\u0435", u"Date"));
  result.number = ReadOptionalTrimmed(element, u"Number");
  return result;
}

CustomerDetail ReadCustomerDetail(const XmlNode& element) {
  CustomerDetail result;
  result.info = ReadOptionalTrimmed(element, u"Info");
  result.inn = ReadOptionalTrimmed(element, u"INN");
  result.date_of_birth = ReadOptionalTrimmed(element, u"DateOfBirth");
  result.citizenship = ReadOptionalTrimmed(element, u"Citizenship");
  result.document_type_code = ReadOptionalTrimmed(element, u"DocumentTypeCode");
  result.document_data = ReadOptionalTrimmed(element, u"DocumentData");
  result.address = ReadOptionalTrimmed(element, u"Address");
  return result;
}

TextString ReadTextString(const XmlNode& element) {
  return TextString{GetAttributeText(element, u"Text")};
}

Barcode ReadBarcode(const XmlNode& element) {
  Barcode result;
  if (const std::u16string_view* base64 = element.FindAttribute(u"ValueBase64")) {
    result.value = *base64;
  } else {
    result.value = GetAttributeText(element, u"Value");
  }
  result.type = GetAttributeText(element, u"Type");
  return result;
}

GoodCodeData ReadGoodCodeData(const XmlNode& element) {
  GoodCodeData result;
  result.stamp_type = ReadOptionalTrimmed(element, u"StampType");
  result.stamp = ReadOptionalTrimmed(element, u"Stamp");
  result.gtin = ReadOptionalTrimmed(element, u"GTIN");
  result.serial_number = ReadOptionalTrimmed(element, u"SerialNumber");
  result.marking_code = ReadOptionalTrimmed(element, u"MarkingCode");
  result.not_identified = ReadOptionalTrimmed(element, u"NotIdentified");
  result.ean8 = ReadOptionalTrimmed(element, u"EAN8");
  result.ean13 = ReadOptionalTrimmed(element, u"EAN13");
  result.itf14 = ReadOptionalTrimmed(element, u"ITF14");
  result.gs1_0 = ReadOptionalTrimmed(element, u"GS1.0");
  result.gs1_m = ReadOptionalTrimmed(element, u"GS1.M");
  result.kmk = ReadOptionalTrimmed(element, u"KMK");
  result.mi = ReadOptionalTrimmed(element, u"MI");
  result.egais20 = ReadOptionalTrimmed(element, u"EGAIS20");
  result.egais30 = ReadOptionalTrimmed(element, u"EGAIS30");
  return result;
}

FiscalString ReadFiscalString(const XmlNode& element, const NumberFormat& format, bool for_rules) {
  enum {
    kName,
    kQuantity,
    kPrice,
    kAmount,
    kDiscount,
    kVatRate,
    kPaymentMethod,
    kCalculationSubject,
    kMeasurementUnit,
    kCountryOldSpelling,
    kCountry,
    kCustomsDeclaration,
    kExciseAmount,
    kAdditionalAttribute,
    kMarkingCode,
    kMeasureOfQuantity,
    kCalculationAgent,
    kVatAmount,
    kCount
  };
  // The country has long been sent as "СountryOfOrigin" with a Cyrillic Es;
  // that spelling wins when both are present.
  static constexpr std::u16string_view kNames[kCount] = {u"Name",
                                                         u"Quantity",
                                                         u"PriceWithDiscount",
                                                         u"AmountWithDiscount",
                                                         u"DiscountAmount",
                                                         u"VATRate",
                                                         u"PaymentMethod",
                                                         u"CalculationSubject",
                                                         u"MeasurementUnit",
                                                         u"\u0421ountryOfOrigin",
                                                         u"CountryOfOrigin",
                                                         u"CustomsDeclaration",
                                                         u"ExciseAmount",
                                                         u"AdditionalAttribute",
                                                         u"MarkingCode",
                                                         u"MeasureOfQuantity",
                                                         u"CalculationAgent",
                                                         u"VATAmount"};
  const std::u16string_view* found[kCount];
  FindAttributes(element, kNames, found);

  FiscalString result;
  if (found[kName]) result.name = *found[kName];
  if (for_rules) {
    // The double of an exact value is the one ReadNumberValue reads, without
    // reading the text again.
    result.exact_quantity = ReadExactValue(found[kQuantity], format);
    result.exact_price = ReadExactValue(found[kPrice], format);
    result.exact_amount = ReadExactValue(found[kAmount], format);
    result.exact_vat_amount = ReadExactValue(found[kVatAmount], format);
  }
  result.quantity = NumberOf(result.exact_quantity, found[kQuantity], format);
  result.price = NumberOf(result.exact_price, found[kPrice], format);
  result.amount = NumberOf(result.exact_amount, found[kAmount], format);
  result.discount = ReadNumberValue(found[kDiscount], format);
  if (found[kVatRate]) result.vat_rate = std::u16string(*found[kVatRate]);
  if (found[kPaymentMethod]) result.payment_method = Trim(*found[kPaymentMethod]);
  if (found[kCalculationSubject]) result.calculation_subject = Trim(*found[kCalculationSubject]);
  result.measurement_unit = TrimmedOrAbsent(found[kMeasurementUnit]);
  result.country_of_origin =
      TrimmedOrAbsent(found[kCountryOldSpelling] ? found[kCountryOldSpelling] : found[kCountry]);
  result.customs_declaration = TrimmedOrAbsent(found[kCustomsDeclaration]);
  result.excise_amount = TrimmedOrAbsent(found[kExciseAmount]);
  result.additional_attribute = TrimmedOrAbsent(found[kAdditionalAttribute]);
  result.marking_code = TrimmedOrAbsent(found[kMarkingCode]);
  if (for_rules) {
    if (result.marking_code && found[kMarkingCode]->size() != result.marking_code->size()) {
      result.marking_code_as_sent = std::u16string(*found[kMarkingCode]);
    }
    result.measure_of_quantity = TrimmedOrAbsent(found[kMeasureOfQuantity]);
    result.calculation_agent = TrimmedOrAbsent(found[kCalculationAgent]);
    result.vat_amount = TrimmedOrAbsent(found[kVatAmount]);
  }
  bool vendor_read = !for_rules;
  for (const XmlNode& child : element.children) {
    if (child.Is(u"GoodCodeData")) {
      result.good_codes.push_back(ReadGoodCodeData(child));
    } else if (!vendor_read && child.Is(u"VendorData")) {
      result.vendor_inn = TrimmedOrAbsent(child.FindAttribute(u"VendorINN"));
      vendor_read = true;
    }
  }
  return result;
}

Payments ReadPayments(const XmlNode& element, const NumberFormat& format) {
  Payments result;
  result.cash = ReadNumberAttribute(element, u"Cash", format);
  result.electronic = ReadNumberAttribute(element, u"ElectronicPayment", format);
  result.prepayment = ReadNumberAttribute(element, u"PrePayment", format);
  result.postpayment = ReadNumberAttribute(element, u"PostPayment", format);
  result.barter = ReadNumberAttribute(element, u"Barter", format);
  return result;
}

CheckPackage CheckPackage::Load(const XmlParser& parser, std::u16string_view text) {
  if (IsBlank(text)) throw DriverError(std::u16string(kEmptyCheckPackage));
  return CheckPackage(parser.Parse(text));
}

const XmlNode& CheckPackage::ParametersSection() const {
  return document_.root.ChildAt(0);
}

const XmlNode& CheckPackage::PositionsSection() const {
  return document_.root.ChildAt(1);
}

const XmlNode* CheckPackage::PaymentsSection() const {
  const std::vector<XmlNode>& children = document_.root.children;
  for (std::size_t i = children.size(); i > 1; --i) {
    if (children[i - 1].Is(u"Payments")) return &children[i - 1];
  }
  return nullptr;
}

}  // namespace kassivo
