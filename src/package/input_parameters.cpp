#include "package/input_parameters.h"

#include "common/text.h"
#include "package/xml_text.h"

namespace kassivo {

namespace {

std::u16string AttributeOrEmpty(const std::u16string_view* value) {
  return value ? std::u16string(*value) : std::u16string();
}

}  // namespace

void ParseInputParameters(const XmlParser& parser, std::u16string_view text,
                          InputParameters& params) {
  if (IsBlank(text)) return;
  const XmlDocument document = parser.Parse(text);
  const XmlNode& first = document.root.ChildAt(0);
  if (!first.Is(u"Parameters")) return;
  params.CashierName = GetAttributeText(first, u"CashierName");
  params.CashierINN = GetAttributeText(first, u"CashierINN");
  params.SaleAddress = AttributeOrEmpty(FindAttributeSpelled(first, u"SaleAddres", u"SaleAddress"));
  params.SaleLocation = GetAttributeText(first, u"SaleLocation");
}

std::u16string BuildOutputParameters(std::int32_t shift_state, std::int32_t shift_number,
                                     std::int32_t check_number, std::u16string_view cash_balance) {
  const std::u16string check = DecimalText(check_number);
  LineAnswer answer({u"<OutputParameters>", u"<Parameters"});
  answer.Add(u"CheckNumber", check)
      .Add(u"ShiftClosingCheckNumber", check)
      .Add(u"ShiftNumber", DecimalText(shift_number))
      .Add(u"DateTime", u"")
      .Add(u"ShiftState", DecimalText(shift_state))
      .Add(u"CashBalance", cash_balance)
      .Add(u"FNError", u"False")
      .Add(u"FNOverflow", u"False")
      .Add(u"FNFail", u"False")
      .Add(u"BacklogDocumentsCounter", u"1")
      .Add(u"BacklogDocumentFirstNumber", u"999")
      .Add(u"BacklogDocumentFirstDateTime", u"2018-11-09T16:13:42");
  return std::move(answer).Finish(u"</OutputParameters>");
}

}  // namespace kassivo
