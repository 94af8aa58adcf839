#include "documents/check_rendering.h"

#include <utility>

#include "documents/check_codes.h"
#include "tape/header_blocks.h"

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
  const std::int64_t room = std::int64_t{width} - static_cast<std::int64_t>(right.size());
  if (room > static_cast<std::int64_t>(result.size())) {
    result.append(static_cast<std::size_t>(room) - result.size(), u' ');
  }
  result.append(right);
  return result;
}

std::u16string VatText(const OptionalText& vat_rate) {
  if (!vat_rate) return {};
  if (*vat_rate == u"none") return u"БЕЗ НДС";
  return Concat(u"НДС", *vat_rate);
}

std::u16string DiscountText(double discount, const NumberFormat& format) {
  if (discount < 0) return Concat(u" НАЦЕНКА = ", FormatMoney(-discount, format));
  if (discount > 0) return Concat(u"  СКИДКА = ", FormatMoney(discount, format));
  return {};
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
  std::u16string line = item.type;
  line += u' ';
  line += item.value;
  Line(line, AlignCenter);
}

void CheckRenderer::Fiscal(const FiscalString& item) {
  Line(item.name, AlignLeft);
  std::u16string quantity_and_price = FormatQuantity(item.quantity, format_);
  quantity_and_price += u" x ";
  quantity_and_price += FormatMoney(item.price, format_);
  if (wide_positions_) {
    quantity_and_price += u" = ";
    quantity_and_price += FormatMoney(item.amount, format_);
    Line(quantity_and_price, AlignRight);
  } else {
    Line(quantity_and_price, AlignLeft);
    Line(Concat(u" = ", FormatGeneral(item.amount, format_)), AlignRight);
  }
  Line(PadPair(DiscountText(item.discount, format_), VatText(item.vat_rate), width_), AlignLeft);
  Line(PadPair(PaymentMethodName(item.payment_method),
               CalculationSubjectName(item.calculation_subject), width_),
       AlignCenter);
  for (const auto& line : kPositionLines) {
    if (const OptionalText& value = item.*line.value) Line(Concat(line.label, *value), AlignRight);
  }
  for (const GoodCodeData& code : item.good_codes) {
    for (const auto& line : kGoodCodeLines) {
      if (const OptionalText& value = code.*line.value) {
        Line(Concat(line.label, *value), AlignRight);
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
