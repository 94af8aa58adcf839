#include "documents/check_rendering.h"

#include <utility>

#include "documents/header_blocks.h"
#include "package/check_codes.h"
#include "tape/tape.h"

namespace kassivo {

namespace {

template <typename Record>
struct LabeledValue {
  std::u16string_view label;
  OptionalText Record::*value;
};

constexpr LabeledValue<CheckParameters> kCustomerLines[] = {
    {u" Покупатель E-mail: ", &CheckParameters::customer_email},
    {u" Покупатель телеф.: ", &CheckParameters::customer_phone},
    {u"E-mail отправителя: ", &CheckParameters::sender_email},
    {u"Покупатель(клиент): ", &CheckParameters::customer_info},
    {u"    Покупатель ИНН: ", &CheckParameters::customer_inn},
    {u" Доп.реквизит чека: ", &CheckParameters::additional_attribute},
};

constexpr LabeledValue<CorrectionData> kCorrectionLines[] = {
    {u"*      Тип коррекции:", &CorrectionData::type},
    {u"*           Описание:", &CorrectionData::description},
    {u"*     Дата расчета:", &CorrectionData::date},
    {u"* Номер предписания:", &CorrectionData::number},
};

constexpr LabeledValue<CustomerDetail> kDetailLines[] = {
    {u"", &CustomerDetail::info},
    {u"ИНН:", &CustomerDetail::inn},
    {u"Дата рождения:", &CustomerDetail::date_of_birth},
    {u"Код страны:", &CustomerDetail::citizenship},
    {u"Код вида документа:", &CustomerDetail::document_type_code},
    {u"Данные документа:", &CustomerDetail::document_data},
    {u"Адресс:", &CustomerDetail::address},
};

constexpr LabeledValue<FiscalString> kPositionLines[] = {
    {u"ЕДИНИЦА ИЗМЕРЕНИЯ:", &FiscalString::measurement_unit},
    {u"КОД СТРАНЫ:", &FiscalString::country_of_origin},
    {u"ДЕКЛАРАЦИЯ:", &FiscalString::customs_declaration},
    {u"АКЦИЗ:", &FiscalString::excise_amount},
    {u"", &FiscalString::additional_attribute},
    {u"КМ ВЫБЫТИЕ:", &FiscalString::marking_code},
};

constexpr LabeledValue<GoodCodeData> kGoodCodeLines[] = {
    {u"Тип маркировки:", &GoodCodeData::stamp_type},
    {u"КиЗ:", &GoodCodeData::stamp},
    {u"GTIN:", &GoodCodeData::gtin},
    {u"Серийный номер:", &GoodCodeData::serial_number},
    {u"", &GoodCodeData::marking_code},
    {u"NotIdentified:", &GoodCodeData::not_identified},
    {u"EAN8:", &GoodCodeData::ean8},
    {u"EAN13:", &GoodCodeData::ean13},
    {u"ITF14:", &GoodCodeData::itf14},
    {u"GS1.0:", &GoodCodeData::gs1_0},
    {u"GS1.M:", &GoodCodeData::gs1_m},
    {u"KMK:", &GoodCodeData::kmk},
    {u"MI:", &GoodCodeData::mi},
    {u"EGAIS20:", &GoodCodeData::egais20},
    {u"EGAIS30:", &GoodCodeData::egais30},
};

std::u16string Concat(std::u16string_view a, std::u16string_view b) {
  std::u16string result;
  result.reserve(a.size() + b.size());
  result.append(a);
  result.append(b);
  return result;
}

// PadPair with the left text already in `line` and the right one in two
// pieces.
void AppendPadded(std::u16string& line, std::u16string_view right_first,
                  std::u16string_view right_second, std::int32_t width) {
  const std::int64_t room =
      std::int64_t{width} - static_cast<std::int64_t>(right_first.size() + right_second.size());
  if (room > static_cast<std::int64_t>(line.size())) {
    for (std::size_t count = static_cast<std::size_t>(room) - line.size(); count > 0;) {
      const std::u16string_view spaces = PaddingSpaces(count);
      line.append(spaces);
      count -= spaces.size();
    }
  }
  line.append(right_first);
  line.append(right_second);
}

// VatText in two pieces.
std::pair<std::u16string_view, std::u16string_view> VatPieces(const OptionalText& vat_rate) {
  if (!vat_rate) return {};
  if (*vat_rate == u"none") return {u"БЕЗ НДС", {}};
  return {u"НДС", *vat_rate};
}

void AppendDiscountText(std::u16string& out, double discount, const NumberFormat& format) {
  if (discount < 0) {
    out.append(u" НАЦЕНКА = ");
    AppendMoney(out, -discount, format);
  } else if (discount > 0) {
    out.append(u"  СКИДКА = ");
    AppendMoney(out, discount, format);
  }
}

}  // namespace

std::u16string PadTotalLabel(std::u16string_view label) {
  constexpr std::size_t kLabelWidth = 17;
  std::u16string result;
  if (label.size() < kLabelWidth) result.assign(kLabelWidth - label.size(), u' ');
  result.append(label);
  result.append(u" = ");
  return result;
}

std::u16string PadPair(std::u16string_view left, std::u16string_view right, std::int32_t width) {
  std::u16string result(left);
  AppendPadded(result, right, {}, width);
  return result;
}

std::u16string VatText(const OptionalText& vat_rate) {
  const auto [prefix, rate] = VatPieces(vat_rate);
  return Concat(prefix, rate);
}

std::u16string DiscountText(double discount, const NumberFormat& format) {
  std::u16string result;
  AppendDiscountText(result, discount, format);
  return result;
}

CheckRenderer::CheckRenderer(ProcessState& state)
    : state_(state),
      tape_(state.Receipt),
      format_(state.number_format()),
      wide_positions_(state.Settings.Size >= 36),
      width_(state.Receipt.Width()) {}

void CheckRenderer::Line(std::u16string_view text, std::uint8_t alignment) {
  tape_.PrintLine(text, alignment);
}

void CheckRenderer::Header(const CheckParameters& parameters, bool correction) {
  const std::u16string title = Concat(correction ? u"ЧЕК КОРРЕКЦИИ - " : u"ЧЕК ККТ - ",
                                      OperationTypeName(parameters.operation_type));
  PrintDocumentHeader(state_, title, parameters.cashier_name, parameters.cashier_inn,
                      parameters.sale_address, parameters.sale_location);
}

void CheckRenderer::Correction(const CorrectionData& data) {
  Line(u"КОРРЕКЦИЯ", AlignCenter);
  for (const auto& line : kCorrectionLines) {
    if (const OptionalText& value = data.*line.value) Line(Concat(line.label, *value), AlignLeft);
  }
}

void CheckRenderer::Customer(const CheckParameters& parameters) {
  for (const auto& line : kCustomerLines) {
    if (const OptionalText& value = parameters.*line.value) {
      Line(Concat(line.label, *value), AlignLeft);
    }
  }
}

void CheckRenderer::TaxationSystem(std::int32_t code) {
  Line(Concat(u"СНО: ", TaxationSystemName(code)), AlignCenter);
}

void CheckRenderer::Detail(const CustomerDetail& detail) {
  for (const auto& line : kDetailLines) {
    if (const OptionalText& value = detail.*line.value) {
      Line(Concat(line.label, *value), AlignCenter);
    }
  }
}

void CheckRenderer::ItemSeparator() {
  tape_.PrintSeparator(true);
}

void CheckRenderer::Text(const TextString& item) {
  Line(item.text, AlignCenter);
}

void CheckRenderer::Code(const Barcode& item) {
  line_.assign(item.type);
  line_ += u' ';
  line_ += item.value;
  Line(line_, AlignCenter);
}

void CheckRenderer::LabeledLine(std::u16string_view label, std::u16string_view value,
                                std::uint8_t alignment) {
  line_.assign(label);
  line_.append(value);
  Line(line_, alignment);
}

void CheckRenderer::Fiscal(const FiscalString& item) {
  Line(item.name, AlignLeft);
  line_.clear();
  AppendQuantity(line_, item.quantity, format_);
  line_ += u" x ";
  AppendMoney(line_, item.price, format_);
  if (wide_positions_) {
    line_ += u" = ";
    AppendMoney(line_, item.amount, format_);
    Line(line_, AlignRight);
  } else {
    Line(line_, AlignLeft);
    LabeledLine(u" = ", FormatGeneral(item.amount, format_), AlignRight);
  }
  line_.clear();
  AppendDiscountText(line_, item.discount, format_);
  const auto [vat_prefix, vat_rate] = VatPieces(item.vat_rate);
  AppendPadded(line_, vat_prefix, vat_rate, width_);
  Line(line_, AlignLeft);
  line_.assign(PaymentMethodName(item.payment_method));
  AppendPadded(line_, CalculationSubjectName(item.calculation_subject), {}, width_);
  Line(line_, AlignCenter);
  for (const auto& line : kPositionLines) {
    if (const OptionalText& value = item.*line.value) LabeledLine(line.label, *value, AlignRight);
  }
  for (const GoodCodeData& code : item.good_codes) {
    for (const auto& line : kGoodCodeLines) {
      if (const OptionalText& value = code.*line.value) {
        LabeledLine(line.label, *value, AlignRight);
      }
    }
  }
}

void CheckRenderer::Totals(double total, const Payments& payments) {
  tape_.PrintSeparator(true);
  Line(Concat(PadTotalLabel(u"ИТОГ"), FormatMoney(total, format_)), AlignLeft);
  tape_.PrintSeparator(true);
  const std::pair<std::u16string_view, double> lines[] = {
      {u"НАЛИЧНЫМИ", payments.cash},
      {u"БЕЗНАЛИЧНЫМИ", payments.electronic},
      {u"ПРЕДВАРИТЕЛЬНАЯ", payments.prepayment},
      {u"ПОСЛЕДУЮЩАЯ", payments.postpayment},
      {u"ИНАЯ ФОРМА", payments.barter},
  };
  for (const auto& [label, amount] : lines) {
    Line(Concat(PadTotalLabel(label), FormatMoney(amount, format_)), AlignLeft);
  }
  tape_.PrintSeparator(true);
  double paid = payments.cash;
  paid += payments.electronic;
  paid += payments.prepayment;
  paid += payments.postpayment;
  paid += payments.barter;
  if (paid > total) {
    Line(Concat(PadTotalLabel(u"СДАЧА"), FormatMoney(paid - total, format_)), AlignLeft);
  }
}

void CheckRenderer::Closing() {
  tape_.PrintSeparator(false);
}

void CheckRenderer::Failure(std::u16string_view message) {
  Line(Concat(u"Error:", message), AlignCenter);
}

}  // namespace kassivo
