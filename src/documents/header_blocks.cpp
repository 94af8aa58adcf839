#include "documents/header_blocks.h"

#include "common/text.h"

namespace kassivo {

namespace {

// L padded with spaces while Size - length(R) > length(L), then R.
std::u16string JustifiedPair(std::int32_t size, std::u16string left, std::u16string_view right) {
  const std::int64_t room =
      static_cast<std::int64_t>(size) - static_cast<std::int64_t>(right.size());
  if (room > static_cast<std::int64_t>(left.size())) {
    left.append(static_cast<std::size_t>(room) - left.size(), u' ');
  }
  left.append(right);
  return left;
}

void PrintRegistrationLines(ProcessState& state) {
  Tape& tape = state.Receipt;
  const KKTRegistration& r = state.Registration;
  tape.PrintSeparator(true);
  tape.PrintLine(HeaderForm(state, r.CompanyName), AlignCenter);
  tape.PrintLine(HeaderForm(state, r.SaleAddress), AlignCenter);
  tape.PrintLine(HeaderForm(state, r.SaleLocation), AlignCenter);
}

}  // namespace

std::u16string HeaderForm(const ProcessState& state, std::u16string_view text) {
  const std::u16string unquoted = ReplaceAll(Trim(text), u"&quot;", u"\"");
  return state.platform().upper->ToUpper(unquoted);
}

void PrintDocumentHeader(ProcessState& state, std::u16string_view title,
                         std::u16string_view cashier_name, std::u16string_view cashier_inn,
                         std::u16string_view sale_address, std::u16string_view sale_location) {
  Tape& tape = state.Receipt;
  const KKTRegistration& r = state.Registration;
  // The justification compares against the width actually printed.
  const std::int32_t width = tape.Width();
  PrintRegistrationLines(state);
  tape.PrintLine(JustifiedPair(width, u"ИНН:" + r.INN, u"РН ККТ:" + r.KKTNumber), AlignCenter);
  tape.PrintLine(JustifiedPair(width, u"ККТ:" + r.KKTSerialNumber, u"ФН:" + r.FNSerialNumber),
                 AlignCenter);
  tape.PrintLine(title, AlignCenter);
  tape.PrintLine(u"КАССИР: " + std::u16string(cashier_name), AlignLeft);
  tape.PrintLine(u"КАССИР ИНН : " + std::u16string(cashier_inn), AlignLeft);
  tape.PrintLine(sale_address, AlignCenter);
  tape.PrintLine(sale_location, AlignCenter);
}

void PrintShortHeader(ProcessState& state, std::u16string_view title) {
  PrintRegistrationLines(state);
  state.Receipt.PrintLine(u"ИНН :" + state.Registration.INN, AlignCenter);
  state.Receipt.PrintLine(title, AlignCenter);
}

}  // namespace kassivo
