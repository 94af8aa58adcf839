#include "documents/input_parameters.h"

#include "common/text.h"
#include "device/xml_text.h"

namespace kassivo {

namespace {

std::u16string AttributeOrEmpty(const std::u16string* value) {
  return value ? *value : std::u16string();
}

}  // namespace

void ParseInputParameters(const XmlParser& parser, std::u16string_view text,
                          InputParameters& params) {
  if (Trim(text).empty()) return;
  const XmlDocument document = parser.Parse(text);
  const XmlNode& first = document.root.ChildAt(0);
  if (!first.Is(u"Parameters")) return;
  params.CashierName = GetAttributeText(first, u"CashierName");
  params.CashierINN = GetAttributeText(first, u"CashierINN");
  params.SaleAddress = AttributeOrEmpty(FindAttributeSpelled(first, u"SaleAddres", u"SaleAddress"));
  params.SaleLocation = GetAttributeText(first, u"SaleLocation");
}

std::u16string BuildOutputParameters(std::int32_t shift_state, std::int32_t shift_number,
                                     std::int32_t check_number) {
  const std::u16string check = DecimalText(check_number);
  std::u16string out =
      u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r<OutputParameters>\r<Parameters\r";
  auto attribute = [&out](std::u16string_view name, std::u16string_view value) {
    out.append(name);
    out += u"=\"";
    out.append(value);
    out += u"\"\r";
  };
  attribute(u"CheckNumber", check);
  attribute(u"ShiftClosingCheckNumber", check);
  attribute(u"ShiftNumber", DecimalText(shift_number));
  attribute(u"DateTime", u"");
  attribute(u"ShiftState", DecimalText(shift_state));
  attribute(u"CashBalance", u"1000");
  attribute(u"FNError", u"False");
  attribute(u"FNOverflow", u"False");
  attribute(u"FNFail", u"False");
  attribute(u"BacklogDocumentsCounter", u"1");
  attribute(u"BacklogDocumentFirstNumber", u"999");
  attribute(u"BacklogDocumentFirstDateTime", u"2018-11-09T16:13:42");
  out += u"/></OutputParameters>";
  return out;
}

}  // namespace kassivo
