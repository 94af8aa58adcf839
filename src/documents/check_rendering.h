// The lines of a check on the receipt tape.
//
// CheckRenderer prints each part of a check as it is read, through the tape
// primitives (so nothing appears with WindowShowType 0):
//  - Header: the document header with the title "ЧЕК ККТ - " or
//    "ЧЕК КОРРЕКЦИИ - " followed by the operation name;
//  - Correction: "КОРРЕКЦИЯ", then each present correction attribute after
//    its label (left-aligned); Customer: each present customer attribute,
//    raw, after its 20-character label (left-aligned); TaxationSystem:
//    "СНО: " and the name (centred); Detail: each present customer detail
//    attribute after its label (centred);
//  - ItemSeparator before every item of the positions section; TextString
//    and Barcode (centred); FiscalString: the name (left), the amount lines,
//    the discount line, the method line, then the position lines and the
//    good code lines (right-aligned);
//  - Totals: the total, the five payments and the change; Closing: the
//    double separator; Failure: "Error:" and the message (centred).
//
// Amount lines: when the stored Size is 36 or more, one right-aligned line
// "Q x P = A" (quantity format, money, money); otherwise "Q x P" left-aligned
// and " = " with the amount in the general format right-aligned. The layout
// follows the stored Size; padding follows the tape's (capped) width.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/number_format.h"
#include "device/process_state.h"
#include "package/check_package.h"

namespace kassivo {

// The label preceded by spaces to 17 characters (a longer label stays whole),
// then " = ".
std::u16string PadTotalLabel(std::u16string_view label);

// `left`, then spaces while its length is below width - length(right), then
// `right`.
std::u16string PadPair(std::u16string_view left, std::u16string_view right, std::int32_t width);

// "" when absent, "БЕЗ НДС" for exactly "none", otherwise "НДС" + rate.
std::u16string VatText(const OptionalText& vat_rate);

// " НАЦЕНКА = " + |d| for a markup, "  СКИДКА = " + d for a discount (money
// format), "" for zero.
std::u16string DiscountText(double discount, const NumberFormat& format);

class CheckRenderer {
 public:
  explicit CheckRenderer(ProcessState& state);

  void Header(const CheckParameters& parameters, bool correction);
  void Correction(const CorrectionData& data);
  void Customer(const CheckParameters& parameters);
  void TaxationSystem(std::int32_t code);
  void Detail(const CustomerDetail& detail);
  void ItemSeparator();
  void Text(const TextString& item);
  void Code(const Barcode& item);
  void Fiscal(const FiscalString& item);
  void Totals(double total, const Payments& payments);
  void Closing();
  void Failure(std::u16string_view message);

 private:
  void Line(std::u16string_view text, std::uint8_t alignment);
  // `label` followed by `value`, built in line_.
  void LabeledLine(std::u16string_view label, std::u16string_view value, std::uint8_t alignment);

  ProcessState& state_;
  Tape& tape_;
  const NumberFormat& format_;
  bool wide_positions_;
  std::int32_t width_;
  std::u16string line_;  // the line being built, reused to keep its capacity
};

}  // namespace kassivo
