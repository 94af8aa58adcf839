// The check package: the XML text a host sends to form a check, and the
// readers of its values.
//
// Sections are taken by position among the root's children (the root's own
// name is never examined; comments and non-blank text take positions too):
//  - the parameters section is the first child; a root without children is a
//    reading failure;
//  - the positions section is the child at index 1; a root with fewer than
//    two children is a reading failure; it is read only when named
//    "Positions";
//  - the payments section is the last child named "Payments" among the
//    children from index 1 on (hosts send elements such as
//    ElectronicPaymentInfo after it), or none.
//
// Value readers:
//  - ReadNumberAttribute (and ReadNumberValue) never fails: 0 when the attribute is absent; every
//    full stop is replaced by the format's decimal separator; 0 when the text
//    is blank; otherwise the strict number grammar of ParseStrictNumber, and 0
//    when the text does not follow it.
//  - ReadCodeAttribute: U+0020 spaces, an optional sign, decimal digits,
//    U+0020 spaces, in 32-bit range. Anything else (1.0, 0x10, true, an empty
//    text, 99999999999) throws DriverError naming the attribute and its text.
//    Call it only for attributes that are present.
//
// Every reading failure is a DriverError; the caller prints its message. A
// blank package (empty, or spaces and control characters only) is one too:
// "Пакет чека пуст.".
// Three attributes are read under their long-standing misspelt names when
// present and under the standard names otherwise: SaleAddres/SaleAddress,
// Datе (Cyrillic ie)/Date, СountryOfOrigin (Cyrillic Es)/CountryOfOrigin.
// Unknown elements and attributes are ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/exact_decimal.h"
#include "common/number_format.h"
#include "platform/xml.h"

namespace kassivo {

using OptionalText = std::optional<std::u16string>;

inline constexpr std::u16string_view kEmptyCheckPackage = u"Пакет чека пуст.";

double ReadNumberAttribute(const XmlNode& element, std::u16string_view name,
                           const NumberFormat& format);
// The number an attribute's value spells, read as ReadNumberAttribute reads
// it; `value` null (an absent attribute) reads as 0.
double ReadNumberValue(const std::u16string_view* value, const NumberFormat& format);

std::int32_t ReadCodeAttribute(const XmlNode& element, std::u16string_view name);

// A money or quantity attribute as the strict-mode rules read it: present
// (and not blank) or not, its exact value when it is a number
// (ParseExactDecimal), and its text trimmed when it is a number below zero
// or no number at all, for the rules' messages.
struct ExactAttribute {
  bool present = false;
  std::optional<ExactDecimal> value;
  std::u16string text;

  bool IsNumber() const { return value.has_value(); }
};
// `value` null (an absent attribute) reads as absent.
ExactAttribute ReadExactValue(const std::u16string_view* value, const NumberFormat& format);

// The attribute as it stands (present, untrimmed) or absent.
OptionalText ReadOptionalText(const XmlNode& element, std::u16string_view name);
// The attribute trimmed (up to U+0020 at both ends) or absent.
OptionalText ReadOptionalTrimmed(const XmlNode& element, std::u16string_view name);

// The own attributes of a section named "Parameters", except TaxationSystem,
// which is read last of all (ReadTaxationSystem) so that a failure there
// comes after the header and the customer lines.
struct CheckParameters {
  std::int32_t operation_type = 1;
  std::u16string cashier_name;
  std::u16string cashier_inn;
  std::u16string sale_address;
  std::u16string sale_location;
  OptionalText customer_email;
  OptionalText customer_phone;
  OptionalText sender_email;
  OptionalText customer_info;
  OptionalText customer_inn;
  OptionalText additional_attribute;
};

// Reads OperationType first (a failure there reads nothing else).
CheckParameters ReadCheckParameters(const XmlNode& parameters);
std::optional<std::int32_t> ReadTaxationSystem(const XmlNode& parameters);

struct CorrectionData {
  OptionalText type;
  OptionalText description;
  OptionalText date;
  OptionalText number;
};
CorrectionData ReadCorrectionData(const XmlNode& element);

struct CustomerDetail {
  OptionalText info;
  OptionalText inn;
  OptionalText date_of_birth;
  OptionalText citizenship;
  OptionalText document_type_code;
  OptionalText document_data;
  OptionalText address;
};
CustomerDetail ReadCustomerDetail(const XmlNode& element);

// Position items shared with the text document.
struct TextString {
  std::u16string text;
};
TextString ReadTextString(const XmlNode& element);

struct Barcode {
  std::u16string type;
  std::u16string value;  // ValueBase64 when present (not decoded), else Value
};
Barcode ReadBarcode(const XmlNode& element);

struct GoodCodeData {
  OptionalText stamp_type;
  OptionalText stamp;
  OptionalText gtin;
  OptionalText serial_number;
  OptionalText marking_code;
  OptionalText not_identified;
  OptionalText ean8;
  OptionalText ean13;
  OptionalText itf14;
  OptionalText gs1_0;
  OptionalText gs1_m;
  OptionalText kmk;
  OptionalText mi;
  OptionalText egais20;
  OptionalText egais30;
};
GoodCodeData ReadGoodCodeData(const XmlNode& element);

struct FiscalString {
  std::u16string name = u"<>";
  double quantity = 0;
  double price = 0;     // PriceWithDiscount
  double amount = 0;    // AmountWithDiscount
  double discount = 0;  // DiscountAmount: positive a discount, negative a markup
  OptionalText vat_rate;
  std::u16string payment_method;       // trimmed
  std::u16string calculation_subject;  // trimmed
  OptionalText measurement_unit;
  OptionalText country_of_origin;
  OptionalText customs_declaration;
  OptionalText excise_amount;  // a text, never parsed
  OptionalText additional_attribute;
  OptionalText marking_code;
  std::vector<GoodCodeData> good_codes;
  // Read for the strict-mode rules only (rules/), never printed.
  ExactAttribute exact_quantity;
  ExactAttribute exact_price;
  ExactAttribute exact_amount;
  ExactAttribute exact_vat_amount;
  // MarkingCode as sent, only when it differs from marking_code (surrounding
  // spaces): codes are compared exactly as sent.
  OptionalText marking_code_as_sent;
  OptionalText measure_of_quantity;  // trimmed
  OptionalText calculation_agent;    // trimmed
  OptionalText vat_amount;           // trimmed
  OptionalText vendor_inn;           // trimmed, of the first VendorData child
};
// `for_rules`: also the fields only the strict-mode rules read.
FiscalString ReadFiscalString(const XmlNode& element, const NumberFormat& format, bool for_rules);

struct Payments {
  double cash = 0;
  double electronic = 0;
  double prepayment = 0;
  double postpayment = 0;
  double barter = 0;
};
Payments ReadPayments(const XmlNode& element, const NumberFormat& format);

// A loaded package and its sections.
class CheckPackage {
 public:
  // Throws DriverError with kEmptyCheckPackage when the text is blank, and
  // with the parser's message when it is not well-formed XML.
  static CheckPackage Load(const XmlParser& parser, std::u16string_view text);

  const XmlNode& root() const { return document_.root; }

  // The first child of the root; throws DriverError when there is none.
  const XmlNode& ParametersSection() const;
  // The child at index 1, whatever its name; throws DriverError when the
  // root has fewer than two children.
  const XmlNode& PositionsSection() const;
  // The payments section, or null when there is none.
  const XmlNode* PaymentsSection() const;

 private:
  explicit CheckPackage(XmlDocument document) : document_(std::move(document)) {}
  XmlDocument document_;
};

}  // namespace kassivo
