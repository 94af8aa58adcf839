#include "documents/check_answer.h"

#include "common/text.h"
#include "common/wrapping.h"
#include "device/xml_text.h"

namespace kassivo {

std::u16string FiscalSign(std::int32_t check_number) {
  return u"FF" + DecimalText(WrappingMultiply(check_number, 1275)) + u"SS" +
         DecimalText(WrappingMultiply(check_number, 623));
}

std::u16string BuildDocumentOutputParameters(std::int32_t shift_number, std::int32_t check_number,
                                             std::u16string_view fns_url) {
  const std::u16string check = DecimalText(check_number);
  std::u16string answer = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r";
  answer += u"<DocumentOutputParameters>\r";
  answer += u"<Parameters\r";
  answer += u"ShiftNumber=\"" + DecimalText(shift_number) + u"\"\r";
  answer += u"CheckNumber=\"" + check + u"\"\r";
  answer += u"ShiftClosingCheckNumber=\"" + check + u"\"\r";
  answer += u"AddressSiteInspections=\"" + XmlEscape(fns_url, false) + u"\"\r";
  answer += u"FiscalSign=\"" + FiscalSign(check_number) + u"\"\r";
  answer += u"DateTime=\"\"\r";
  answer += u"/></DocumentOutputParameters>";
  return answer;
}

}  // namespace kassivo
