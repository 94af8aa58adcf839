#include "documents/check_answer.h"

#include "common/text.h"
#include "common/wrapping.h"
#include "package/xml_text.h"

namespace kassivo {

std::u16string FiscalSign(std::int32_t check_number) {
  return u"FF" + DecimalText(WrappingMultiply(check_number, 1275)) + u"SS" +
         DecimalText(WrappingMultiply(check_number, 623));
}

std::u16string BuildDocumentOutputParameters(std::int32_t shift_number, std::int32_t check_number,
                                             std::u16string_view fns_url) {
  const std::u16string check = DecimalText(check_number);
  LineAnswer answer({u"<DocumentOutputParameters>", u"<Parameters"});
  answer.Add(u"ShiftNumber", DecimalText(shift_number))
      .Add(u"CheckNumber", check)
      .Add(u"ShiftClosingCheckNumber", check)
      .Add(u"AddressSiteInspections", XmlEscape(fns_url, false))
      .Add(u"FiscalSign", FiscalSign(check_number))
      .Add(u"DateTime", u"");
  return std::move(answer).Finish(u"</DocumentOutputParameters>");
}

}  // namespace kassivo
